; Stand-in for Lunq's self-decompressing boot stub (4,384 bytes).
; Shaped like a boot sector, with the Lunq header at 0x260. The code only
; reports where the packed payload lies and halts; it unpacks nothing.
        bits 16
        org 0

STUB_SIZE       equ 4384
LOAD_SEG        equ 0x0800          ; image loaded at linear 0x8000

start:
        jmp near entry              ; E9 4D 00
        nop                         ; 90
        db "NTFS"
        times 0x50 - ($ - $$) db 0

entry:
        cli
        mov ax, LOAD_SEG
        mov ds, ax
        xor ax, ax
        mov ss, ax
        mov sp, 0x7c00
        sti
        mov si, msg_hello
        call puts
        mov eax, [payload_addr]
        call puthex32
        mov si, msg_len
        call puts
        mov eax, [payload_len]
        call puthex32
        mov si, msg_end
        call puts
.halt:
        hlt
        jmp .halt

; ds:si -> zero-terminated text, written through the BIOS teletype call
puts:
        lodsb
        test al, al
        jz .done
        mov ah, 0x0e
        mov bx, 0x0007
        int 0x10
        jmp puts
.done:
        ret

; eax -> eight hex digits
puthex32:
        mov cx, 8
.next:
        rol eax, 4
        push eax
        and al, 0x0f
        add al, '0'
        cmp al, '9'
        jbe .digit
        add al, 'A' - '9' - 1
.digit:
        mov ah, 0x0e
        mov bx, 0x0007
        int 0x10
        pop eax
        loop .next
        ret

msg_hello db "Lunq stand-in stub: payload at ", 0
msg_len   db "h, length ", 0
msg_end   db "h", 13, 10, 0

        times 0x1fe - ($ - $$) db 0
        db 0x55, 0xaa

        times 0x260 - ($ - $$) db 0
magic        db "LUNQ"
payload_addr dd 0x8000 + STUB_SIZE
payload_len  dd 194271
             dd 0

        times STUB_SIZE - ($ - $$) db 0
