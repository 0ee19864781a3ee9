#!/usr/bin/env bash
# Regenerate the game's sounds: the event sounds (clear, entered, ... winner)
# and the twenty chatter sounds wave1 .. wave20.
#
# Run from anywhere (needs the Debian packages sox and espeak-ng, which are
# developer tools only; the generated files are committed):
#
#     tools/make-sounds.sh [OUTDIR]
#
# Writes OUTDIR (default data/sounds/ of this repository): mono 16-bit PCM WAV
# at 22050 Hz, each peaking at -3 dBFS. Every random source is seeded (sox -R)
# and nothing is dithered, so with the same sox and espeak-ng versions a second
# run gives identical bytes.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$repo/data/sounds}
for tool in sox espeak-ng; do
    command -v "$tool" >/dev/null || { echo "make-sounds: $tool is missing" >&2; exit 1; }
done
mkdir -p "$out"
written=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Intermediate files are float at 44100 Hz, so the naive square and sawtooth
# waves alias less before the final rate change. sox still clips at full
# scale, so every mix keeps its weights well under 1.
raw=(-r 44100 -c 1 -e floating-point -b 32)
sx() { sox -R -V2 "$@"; }

calc() { awk "BEGIN { printf \"%.3f\", $1 }"; }

# gen NAME LEN CHANNELS SYNTH-AND-EFFECTS...: a synthesised piece in $work.
gen() {
    local name=$1 len=$2 channels=$3
    shift 3
    sx -r 44100 -c "$channels" -n "${raw[@]}" "$work/$name.wav" synth "$len" "$@"
}

# strike NAME LEN: a struck envelope, quick attack and a decay that slows down
# (linear fade applied twice), so notes ring out instead of stopping dead.
strike() {
    local name=$1 len=$2
    sx "$work/$name.wav" "${raw[@]}" "$work/$name.env.wav" \
        fade t 0.004 "$len" "$(calc "$len - 0.004")" fade t 0 "$len" "$len"
    mv "$work/$name.env.wav" "$work/$name.wav"
}

# bell NAME LEN FREQ: a note with a few soft overtones.
bell() {
    local name=$1 len=$2 f=$3
    gen "$name" "$len" 3 sine "$f" sine "$(calc "$f * 2")" sine "$(calc "$f * 3.01")" \
        remix 1v0.35,2v0.1,3v0.03
    strike "$name" "$len"
}

# brass NAME LEN FREQ: a bright held note for the fanfare.
brass() {
    local name=$1 len=$2 f=$3
    gen "$name" "$len" 2 sawtooth "$f" square "$(calc "$f * 1.003")" \
        remix 1v0.3,2v0.15 lowpass 2800 fade h 0.02 "$len" 0.08
}

# place NAME DELAY: shift a piece later in time, to be mixed with others.
place() {
    sx "$work/$1.wav" "${raw[@]}" "$work/$1.at.wav" pad "$2"
    mv "$work/$1.at.wav" "$work/$1.wav"
}

# mix OUT IN...: play pieces at the same time (their starts set by place).
mix() {
    local name=$1
    shift
    local inputs=()
    for piece in "$@"; do inputs+=("$work/$piece.wav"); done
    sx -m "${inputs[@]}" "${raw[@]}" "$work/$name.wav"
}

# chain OUT IN...: play pieces one after another.
chain() {
    local name=$1
    shift
    local inputs=()
    for piece in "$@"; do inputs+=("$work/$piece.wav"); done
    sx "${inputs[@]}" "${raw[@]}" "$work/$name.wav"
}

# gap NAME LEN: silence.
gap() { gen "$1" "$2" 1 sine 0 vol 0; }

# speak NAME VOICE PITCH SPEED TEXT: espeak-ng, with its silent margins cut.
speak() {
    local name=$1 voice=$2 pitch=$3 speed=$4 text=$5
    espeak-ng -v "$voice" -p "$pitch" -s "$speed" -w "$work/$name.speech.wav" "$text"
    sx "$work/$name.speech.wav" "${raw[@]}" "$work/$name.wav" \
        silence 1 0.005 -45d reverse silence 1 0.005 -45d reverse pad 0.02 0.04
}

# finish NAME [EFFECTS...]: the committed file. Headroom first, so that the
# effects and the rate change cannot clip; the short fades keep the first and
# last sample at zero so that nothing clicks. The fade-out goes through
# reverse because after reverb sox misjudges the length a "-0" end relies on.
finish() {
    local name=$1
    shift
    sx -D "$work/$name.wav" -r 22050 -c 1 -b 16 -e signed-integer "$out/$name.wav" \
        vol 0.5 "$@" channels 1 rate -v 22050 fade q 0.004 reverse fade q 0.012 reverse gain -n -3
    written=$((written + 1))
}

# Notes (Hz).
C5=523.25 E5=659.26 G5=783.99 A5=880.00 C6=1046.50 D6=1174.66 E6=1318.51

# --- Game event sounds -------------------------------------------------------

# clear: a soft falling glide (the game never plays it, but it is carried).
gen clear 0.28 2 triangle 1200:500 sine 600:250 remix 1v0.25,2v0.25 lowpass 3000 \
    fade h 0.02 0.28 0.18
finish clear

# entered: a soft rising two-note chime.
bell entered.1 0.40 "$G5"
bell entered.2 0.60 "$C6"
place entered.2 0.15
mix entered entered.1 entered.2
finish entered

# finished: a rising sweep with a shimmer.
gen finished 0.65 2 sine 330:1320 sine 660:2640 remix 1v0.375,2v0.125 \
    tremolo 14 25 fade h 0.03 0.65 0.15
finish finished

# goodword: a bright upward blip.
gen goodword 0.12 2 sine 1320:1980 sine 2640:3960 remix 1v0.4,2v0.1
strike goodword 0.12
finish goodword

# invalid: a low buzz.
gen invalid 0.34 2 sawtooth 98 square 103.5 remix 1v0.3,2v0.2 lowpass 1200 \
    fade t 0.01 0.34 0.08
finish invalid

# roundover: three falling notes.
bell roundover.1 0.30 "$G5"
bell roundover.2 0.30 "$E5"
bell roundover.3 0.60 "$C5"
place roundover.2 0.16
place roundover.3 0.32
mix roundover roundover.1 roundover.2 roundover.3
finish roundover

# submit: a short soft ding as a word goes out, where a desktop would sound its
# default beep.
bell submit 0.16 "$E6"
finish submit

# tick: a short wooden click.
gen tick 0.06 2 sine 1100:900 pinknoise remix 1v0.425,2v0.075 highpass 300
sx "$work/tick.wav" "${raw[@]}" "$work/tick.env.wav" fade l 0.001 0.06 0.059
mv "$work/tick.env.wav" "$work/tick.wav"
finish tick

# timeup: a gong: inharmonic partials, two of them beating slowly.
gen timeup 1.40 7 sine 98 sine 99.3 sine 161 sine 231 sine 306 sine 412 sine 533 \
    remix 1v0.25,2v0.2,3v0.175,4v0.15,5v0.1,6v0.06,7v0.04
sx "$work/timeup.wav" "${raw[@]}" "$work/timeup.env.wav" \
    fade t 0.008 1.40 1.39 fade t 0 1.40 1.40 fade t 0 1.40 1.40
mv "$work/timeup.env.wav" "$work/timeup.wav"
finish timeup

# turn (classic): one clear bell with a slightly out-of-tune overtone.
gen turn 0.80 3 sine "$A5" sine "$(calc "$A5 * 2")" sine "$(calc "$A5 * 2.76")" \
    remix 1v0.325,2v0.1,3v0.06
strike turn 0.80
finish turn

# turnnew: a quick two-note knock, high then lower.
bell turnnew.1 0.18 "$D6"
bell turnnew.2 0.30 "$A5"
place turnnew.2 0.11
mix turnnew turnnew.1 turnnew.2
finish turnnew

# winner: a fanfare, an arpeggio up to a held chord.
brass winner.1 0.14 "$C5"
brass winner.2 0.14 "$E5"
brass winner.3 0.14 "$G5"
gen winner.4 0.75 4 sawtooth "$C6" sawtooth "$G5" sawtooth "$E5" sawtooth "$C5" \
    remix 1v0.175,2v0.125,3v0.1,4v0.1 lowpass 3000 tremolo 6 10 fade h 0.02 0.75 0.35
gap winner.gap 0.03
chain winner winner.1 winner.gap winner.2 winner.gap winner.3 winner.gap winner.4
finish winner

# --- Chatter sounds ----------------------------------------------------------

# 1 Doh
speak wave1 en-us+m3 35 140 "Doh!"
finish wave1

# 2 Cough: two noisy bursts with a little voice in them.
gen wave2.1 0.18 2 pinknoise sawtooth 140 remix 1v0.425,2v0.125 sinc 250-2800
strike wave2.1 0.18
gen wave2.2 0.14 2 pinknoise sawtooth 130 remix 1v0.3,2v0.09 sinc 250-2500
strike wave2.2 0.14
gap wave2.gap 0.09
chain wave2 wave2.1 wave2.gap wave2.2
finish wave2

# 3 Hello
speak wave3 en-us+f3 60 150 "Hello!"
finish wave3

# 4 Thank You
speak wave4 en-us+m2 50 150 "Thank you!"
finish wave4

# 5 Where have you been?
speak wave5 en-us+f2 55 165 "Where have you been?"
finish wave5

# 6 Snoring: a slow rattling breath in, a soft breath out.
gen wave6.in 0.85 2 brownnoise sawtooth 28 remix 1v0.4,2v0.15 lowpass 700 \
    tremolo 26 70 highpass 40 fade h 0.35 0.85 0.25
gen wave6.out 0.55 1 pinknoise highpass 200 lowpass 1400 vol 0.45 fade h 0.1 0.55 0.35
gap wave6.gap 0.08
chain wave6 wave6.in wave6.gap wave6.out
finish wave6

# 7 Sneezing
speak wave7 en-us+f2 70 190 "Ah, ah, choo!"
finish wave7

# 8 Sorry
speak wave8 en-us+m1 40 130 "Sorry."
finish wave8

# 9 Welcome
speak wave9 en-us+f4 55 150 "Welcome!"
finish wave9

# 10 Yeehaa
speak wave10 en-us+m7 75 170 "Yee haw!"
finish wave10

# 11 Yippee
speak wave11 en-us+f5 85 170 "Yippee!"
finish wave11

# 12 Oh No
speak wave12 en-us+m3 45 110 "Oh no!"
finish wave12

# 13 Applause: several clappers, each at its own pace, over a hiss of the room.
gen wave13.clap 0.045 1 whitenoise sinc 700-5000 vol 0.5
strike wave13.clap 0.045
clappers=()
n=0
for beat in "0.000 0.210" "0.050 0.235" "0.110 0.190" "0.160 0.255" "0.085 0.225" "0.030 0.270" \
    "0.140 0.200" "0.020 0.245"; do
    read -r start period <<<"$beat"
    n=$((n + 1))
    sx "$work/wave13.clap.wav" "${raw[@]}" "$work/wave13.$n.wav" \
        pad 0 "$(calc "$period - 0.045")" repeat 8 pad "$start" trim 0 1.5
    clappers+=("wave13.$n")
done
gen wave13.room 1.5 1 pinknoise sinc 500-4000 vol 0.15
mix wave13 "${clappers[@]}" wave13.room
# Claps are sharp: squeeze their peaks so that the whole is heard at a
# loudness near the others'.
finish wave13 reverb 30 50 60 channels 1 compand 0.002,0.08 -70,-70,-40,-18,-20,-10,0,-7 fade t 0.05 1.5 0.4

# 14 Honk: two blasts of a two-tone horn.
gen wave14.1 0.26 3 sawtooth 415 sawtooth 523 square 208 remix 1v0.2,2v0.175,3v0.1 \
    lowpass 2200 overdrive 8 vol 0.5 fade t 0.015 0.26 0.05
gen wave14.2 0.40 3 sawtooth 415 sawtooth 523 square 208 remix 1v0.2,2v0.175,3v0.1 \
    lowpass 2200 overdrive 8 vol 0.5 fade t 0.015 0.40 0.08
gap wave14.gap 0.09
chain wave14 wave14.1 wave14.gap wave14.2
finish wave14

# 15 Oooh
speak wave15 en-us+f2 50 80 "Ooooh!"
finish wave15

# 16 Razzberry: a wobbling low reed with breath in it.
gen wave16 0.80 2 sawtooth 95:70 brownnoise remix 1v0.35,2v0.175 tremolo 31 85 \
    lowpass 1500 overdrive 12 vol 0.5 highpass 40 fade t 0.03 0.80 0.2
finish wave16

# 17 Cheer: a few voices shouting over a swelling crowd.
speak wave17.1 en-us+m3 40 150 "Yay!"
speak wave17.2 en-us+f3 70 160 "Yay!"
speak wave17.3 en-us+m6 55 140 "Woo!"
speak wave17.4 en-us+f5 85 170 "Yeah!"
place wave17.2 0.07
place wave17.3 0.18
place wave17.4 0.30
gen wave17.crowd 1.3 1 pinknoise sinc 400-3500 vol 0.5 fade h 0.25 1.3 0.6
mix wave17 wave17.1 wave17.2 wave17.3 wave17.4 wave17.crowd
finish wave17 reverb 25 50 50 channels 1 fade t 0 1.3 0.3

# 18 Woman Laughing
speak wave18 en-us+f3 80 210 "Ha ha ha ha!"
finish wave18

# 19 Man Laughing
speak wave19 en-us+m1 20 180 "Hah hah hah haa!"
finish wave19

# 20 Crying: sobbing wobble on a wail.
speak wave20 en-us+f4 75 110 "Boo hoo hoo!"
finish wave20 tremolo 7 45

echo "make-sounds: wrote $written files to $out"
