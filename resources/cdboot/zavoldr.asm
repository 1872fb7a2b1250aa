; Stand-in CD boot image: loaded by the BIOS without emulation at 0000:7C00,
; prints one line on COM1, then the 16 bytes of its chained-name field at
; 2032 in hex, and halts.
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
        jz      dump
        call    send
        jmp     next
dump:
        mov     si, name_field
        mov     cx, 16
dump_byte:
        lodsb
        mov     bl, al
        shr     al, 4
        call    send_digit
        mov     al, bl
        and     al, 0x0F
        call    send_digit
        loop    dump_byte
        mov     al, 13
        call    send
        mov     al, 10
        call    send
halt:
        cli
        hlt
        jmp     halt

; Sends the hex digit of the low nibble in al.
send_digit:
        add     al, '0'
        cmp     al, '9'
        jbe     send
        add     al, 'A' - '0' - 10
; Sends al on COM1.
send:
        mov     ah, al
        mov     dx, 0x3FD
wait_tx:
        in      al, dx
        test    al, 0x20
        jz      wait_tx
        mov     al, ah
        mov     dx, 0x3F8
        out     dx, al
        ret

message db "ZAVO CD BOOT OK", 13, 10, 0

        times 2032 - ($ - $$) db 0
; The chained-name field: the name and zeros up to 2045.
name_field:
        db      "ZAVO.SYS", 0
        times 2046 - ($ - $$) db 0
        dw      0xAA55
