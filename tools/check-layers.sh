#!/usr/bin/env bash
# Checks that includes point down only: a folder of src/ includes only folders
# below it in the list, the host and the client side never include each
# other, and the plain C++ folders include no Qt. Prints each offence; exits 1
# when there is one.
set -uo pipefail
src="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src}"

# Lowest first.
layers=(core net http dict store daily host fleet session bot matchmaker ui storeui dailyui social lobby client app)
rank() { local i; for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done; echo -1; }

status=0
while IFS=: read -r file line text; do
    from=${file#"$src"/}; from=${from%%/*}
    to=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$text")
    [ "$from" = "$to" ] && continue
    rf=$(rank "$from"); rt=$(rank "$to")
    if [ "$rf" -lt 0 ] || [ "$rt" -lt 0 ]; then
        echo "$file:$line: unknown folder in '$text'"; status=1
    elif [ "$rt" -gt "$rf" ]; then
        echo "$file:$line: $from includes the higher $to"; status=1
    elif [ "$to" = host ] && [ "$from" != app ] && [ "$from" != fleet ]; then
        echo "$file:$line: $from includes the host; they meet only on the wire"; status=1
    fi
done < <(grep -rnE '#include "[a-z]+/' "$src" --include='*.h' --include='*.cpp')

for plain in core dict store daily; do
    [ -d "$src/$plain" ] || continue
    if grep -rnE '#include <Q' "$src/$plain"; then
        echo "Qt included in the plain C++ folder $plain"; status=1
    fi
done
exit $status
