; Boot sector of the stand-in floppy images: a 1.44 MB FAT12 parameter block;
; prints one line on COM1 and halts.
bits 16
org 0x7C00

        jmp     short start
        nop
        db      "TESSU1.0"              ; OEM name
        dw      512                     ; bytes per sector
        db      1                       ; sectors per cluster
        dw      1                       ; reserved sectors
        db      2                       ; FATs
        dw      224                     ; root entries
        dw      2880                    ; sectors
        db      0xF0                    ; media
        dw      9                       ; sectors per FAT
        dw      18                      ; sectors per track
        dw      2                       ; heads
        dd      0                       ; hidden sectors
        dd      0                       ; sectors (32-bit)
        db      0, 0, 0x29              ; drive, reserved, extended signature
        dd      0x20060407              ; serial number
        db      "TESSU FLOPY"           ; label
        db      "FAT12   "

start:
        cli
        xor     ax, ax
        mov     ds, ax
        mov     si, message
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
        jmp     .next
halt:
        cli
        hlt
        jmp     halt

message db      "TESSU FLOPPY OK", 13, 10, 0

        times 510 - ($ - $$) db 0
        dw      0xAA55
