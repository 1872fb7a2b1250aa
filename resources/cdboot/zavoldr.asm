; Stand-in CD boot image: loaded by the BIOS without emulation at 0000:7C00,
; prints one line on COM1, then the 16 bytes of its chained-name field at
; 2032 in hex; then reads KELBOOT/ZAVO.INI from the boot drive's ISO-9660
; volume and prints its first line and its "menu=" line, and halts.
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
        mov     [boot_drive], dl
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
        call    send_crlf
        call    show_ini
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

send_crlf:
        mov     al, 13
        call    send
        mov     al, 10
        jmp     send

; Sends the zero-terminated text at si.
send_text:
        lodsb
        test    al, al
        jz      .done
        call    send
        jmp     send_text
.done:
        ret

; Reads the 2048-byte sector eax of the boot drive to 0000:9000; CF on failure.
read_sector:
        mov     [dap_lba], eax
        mov     si, dap
        mov     ah, 0x42
        mov     dl, [boot_drive]
        int     0x13
        ret

; Looks in the directory of extent eax, length ecx, for the name at di
; (length bx, no version, any case). Found: eax extent, ecx length, CF clear.
find_entry:
        mov     [dir_lba], eax
        mov     [dir_left], ecx
.sector:
        cmp     dword [dir_left], 0
        je      .missing
        mov     eax, [dir_lba]
        call    read_sector
        jc      .missing
        mov     si, buffer
.record:
        movzx   ax, byte [si]
        test    ax, ax
        jz      .next_sector
        movzx   cx, byte [si + 32]
        cmp     cx, bx
        jb      .skip
        je      .compare
        cmp     byte [si + 33 + bx], ';'
        jne     .skip
.compare:
        push    si
        push    di
        add     si, 33
        mov     cx, bx
.char:
        mov     al, [si]
        cmp     al, 'a'
        jb      .upper
        cmp     al, 'z'
        ja      .upper
        sub     al, 'a' - 'A'
.upper:
        cmp     al, [di]
        jne     .differs
        inc     si
        inc     di
        loop    .char
        pop     di
        pop     si
        mov     eax, [si + 2]
        mov     ecx, [si + 10]
        clc
        ret
.differs:
        pop     di
        pop     si
.skip:
        movzx   ax, byte [si]
        add     si, ax
        cmp     si, buffer + 2048
        jb      .record
.next_sector:
        inc     dword [dir_lba]
        sub     dword [dir_left], 2048
        jae     .sector
.missing:
        stc
        ret

; Sends the line at si (up to CR, LF or the buffer's end) and CR LF.
send_line:
        cmp     si, buffer + 2048
        jae     send_crlf
        lodsb
        cmp     al, 13
        je      send_crlf
        cmp     al, 10
        je      send_crlf
        test    al, al
        jz      send_crlf
        call    send
        jmp     send_line

show_ini:
        mov     eax, 16                 ; primary volume descriptor
        call    read_sector
        jc      .missing
        cmp     dword [buffer + 1], 'CD00'
        jne     .missing
        mov     eax, [buffer + 156 + 2]
        mov     ecx, [buffer + 156 + 10]
        mov     di, boot_name
        mov     bx, 7
        call    find_entry
        jc      .missing
        mov     di, ini_name
        mov     bx, 8
        call    find_entry
        jc      .missing
        call    read_sector
        jc      .missing
        mov     si, buffer
        call    send_line
        mov     si, buffer
.find_menu:
        cmp     si, buffer + 2048 - 5
        jae     .done
        cmp     si, buffer
        je      .at_line
        cmp     byte [si - 1], 10
        jne     .step
.at_line:
        cmp     dword [si], 'menu'
        jne     .step
        cmp     byte [si + 4], '='
        jne     .step
        jmp     send_line
.step:
        inc     si
        jmp     .find_menu
.missing:
        mov     si, not_found
        jmp     send_text
.done:
        ret

message db "ZAVO CD BOOT OK", 13, 10, 0
not_found db "KELBOOT/ZAVO.INI NOT FOUND", 13, 10, 0
boot_name db "KELBOOT"
ini_name db "ZAVO.INI"
boot_drive db 0
dir_lba dd 0
dir_left dd 0
dap:    db 16, 0
        dw 1                            ; one sector
        dw buffer, 0
dap_lba dd 0, 0
buffer equ 0x9000

        times 2032 - ($ - $$) db 0
; The chained-name field: the name and zeros up to 2045.
name_field:
        db      "ZAVO.SYS", 0
        times 2046 - ($ - $$) db 0
        dw      0xAA55
