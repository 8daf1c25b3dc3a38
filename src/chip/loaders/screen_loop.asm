; What both loaders share. The loop they run once started:
; each screen of the table at `screens` in turn, through the machine's own
; `show` (HL = the record) and `wait_key`. After each, the count at SHOWN goes
; up and its complement follows it. With one screen, it stays.
first:
        ld hl, screens
        ld b, (hl)
        inc hl
next:
        push bc
        push hl
        ld e, (hl)
        inc hl
        ld d, (hl)
        ex de, hl
        call show
        ld hl, SHOWN            ; one more screen shown, for whoever watches
        inc (hl)
        ld a, (hl)
        cpl
        inc hl
        ld (hl), a
        ld a, (screens)
        dec a
        jr z, $                 ; one screen: nothing more to do
        call wait_key
        pop hl
        inc hl
        inc hl
        pop bc
        djnz next
        jr first

        include "next_block.asm"
