; Stand-in Tessu.sys, in three builds:
;   default     TESSU 133, 140,800 bytes, banner "Vesker2007"
;   -DQUICK     TESSU 149, 313,856 bytes, banner "Vesker2006", carries TQA.gz
;   -DHEAD_ONLY TESSU 154, the 512-byte Grub2 head of the quick build
; Head: E9 4D 00 90 "NTFS" 00 and the banner (bytes 9 to 17 read "Vesker200"),
; the 314-byte menu field at 192, 55 AA at 510. Prints the menu field on COM1
; and halts.
bits 16
org 0

%ifdef HEAD_ONLY
%define QUICK
%endif

        db      0xE9
        dw      entry - 3               ; E9 4D 00
        nop
        db      "NTFS", 0
%ifdef QUICK
        db      "Vesker2006, Grub for Zeldrng", 0
%else
        db      "Vesker2007, Grub for Zeldrng", 0
%endif
        times 0x50 - ($ - $$) db 0

entry:
        cli
        push    cs
        pop     ds
        mov     si, menu
        mov     cx, 314                 ; the field may be unterminated
.next:
        lodsb
        test    al, al
        jz      halt
        mov     ah, al
        mov     dx, 0x3FD
.wait:
        in      al, dx
        test    al, 0x20
        jz      .wait
        mov     al, ah
        mov     dx, 0x3F8
        out     dx, al
        loop    .next
halt:
        cli
        hlt
        jmp     halt

        times 192 - ($ - $$) db 0
menu:
        times 314 db 0
        times 510 - ($ - $$) db 0
        dw      0xAA55

%ifndef HEAD_ONLY
%ifdef QUICK
        db      "TQA.gz"
        times 1024 - ($ - $$) db 0
        incbin  "tqa.gz"                ; found on the include path
        times 313856 - ($ - $$) db 0
%else
        times 140800 - ($ - $$) db 0
%endif
%endif
