; Stand-in chain loader Zeldr.bin (8,192 bytes): a 3-byte jump, the signature
; "ZELDR" and the chained-file-name field at 752. Prints the chained name on
; COM1 and halts. The studio and the installer carry the same image.
bits 16
org 0

        jmp     near start              ; E9 10 00
        db      "ZELDR"
        times 0x13 - ($ - $$) db 0

start:
        cli
        push    cs
        pop     ds
        mov     si, banner
        call    print
        mov     si, chained_name
        call    print
        mov     si, crlf
        call    print
halt:
        cli
        hlt
        jmp     halt

; Sends the NUL-terminated text at ds:si to COM1.
print:
        lodsb
        test    al, al
        jz      .done
        mov     ah, al
        mov     dx, 0x3FD
.wait:
        in      al, dx
        test    al, 0x20
        jz      .wait
        mov     al, ah
        mov     dx, 0x3F8
        out     dx, al
        jmp     print
.done:
        ret

banner  db      "ZELDR STAND-IN: ", 0
crlf    db      13, 10, 0

        times 752 - ($ - $$) db 0
chained_name:
        db      "12345678.123", 0, 0, 0, 0
        times 8192 - ($ - $$) db 0
