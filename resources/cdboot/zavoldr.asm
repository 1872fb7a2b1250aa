; Stand-in CD boot image: loaded by the BIOS without emulation at 0000:7C00,
; prints one line on COM1 and halts.
bits 16
org 0x7C00

start:
        cli
        xor     ax, ax
        mov     ds, ax
        mov     es, ax
        mov     ss, ax
        mov     sp, 0x7C00
        jmp     0:init
init:
        mov     dx, 0x3F9               ; no UART interrupts
        xor     al, al
        out     dx, al
        mov     dx, 0x3FB               ; divisor latch on
        mov     al, 0x80
        out     dx, al
        mov     dx, 0x3F8               ; 115200 baud
        mov     al, 1
        out     dx, al
        mov     dx, 0x3F9
        xor     al, al
        out     dx, al
        mov     dx, 0x3FB               ; 8 bits, no parity, 1 stop bit
        mov     al, 3
        out     dx, al
        mov     dx, 0x3FA               ; FIFO on and cleared
        mov     al, 0xC7
        out     dx, al
        mov     dx, 0x3FC               ; DTR and RTS
        mov     al, 3
        out     dx, al
        mov     si, message
next:
        lodsb
        test    al, al
        jz      halt
        mov     ah, al
wait_tx:
        mov     dx, 0x3FD
        in      al, dx
        test    al, 0x20
        jz      wait_tx
        mov     al, ah
        mov     dx, 0x3F8
        out     dx, al
        jmp     next
halt:
        cli
        hlt
        jmp     halt

message db "ZAVO CD BOOT OK", 13, 10, 0

        times 2046 - ($ - $$) db 0
        dw      0xAA55
