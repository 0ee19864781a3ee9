/* The daily schedule, copied byte for byte into the program's read-only
   data. The build passes the data folder with -I. */
    .section .rodata
    .balign 16

    .globl zz_daily_txt_begin
    .hidden zz_daily_txt_begin
    .globl zz_daily_txt_end
    .hidden zz_daily_txt_end
zz_daily_txt_begin:
    .incbin "daily.txt"
zz_daily_txt_end:

/* No code here: keep the program's stack non-executable. */
    .section .note.GNU-stack,"",@progbits
