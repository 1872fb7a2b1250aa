; Stand-in boot-time menu program Zavo.sys (4,096 bytes): an E9 jump, the
; signature "ZAVO", 0, "Zavo" at 516 by which the installer knows it, and the
; 318-byte preset-menu field at 704 followed by 0x55 0xAA at 1022.
; Prints the first line of its preset menu on COM1 and halts.
bits 16
org 0

        jmp     near start
        times 16 - ($ - $$) db 0

start:
        cli
        push    cs
        pop     ds
        mov     si, preset
next:
        lodsb
        test    al, al
        jz      halt
        mov     ah, al
        mov     dx, 0x3FD
wait_tx:
        in      al, dx
        test    al, 0x20
        jz      wait_tx
        mov     al, ah
        mov     dx, 0x3F8
        out     dx, al
        cmp     al, 10
        jne     next
halt:
        cli
        hlt
        jmp     halt

        times 516 - ($ - $$) db 0
        db      "ZAVO", 0, "Zavo"

        times 704 - ($ - $$) db 0
preset:
        db      "#ZM_PATH@(hd0,0)/kelboot/zavo.ini", 10
        times 1022 - ($ - $$) db 0
        dw      0xAA55
        times 4096 - ($ - $$) db 0
