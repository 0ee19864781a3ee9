/* The word lists, copied byte for byte into the program's read-only data.
   The build passes the data folder with -I, so the paths hold from any build
   folder. */
    .section .rodata
    .balign 16

    .globl zz_english_dic_begin
    .hidden zz_english_dic_begin
    .globl zz_english_dic_end
    .hidden zz_english_dic_end
zz_english_dic_begin:
    .incbin "english.dic"
zz_english_dic_end:

    .globl zz_wordpool_txt_begin
    .hidden zz_wordpool_txt_begin
    .globl zz_wordpool_txt_end
    .hidden zz_wordpool_txt_end
zz_wordpool_txt_begin:
    .incbin "wordpool.txt"
zz_wordpool_txt_end:

/* No code here: keep the program's stack non-executable. */
    .section .note.GNU-stack,"",@progbits
