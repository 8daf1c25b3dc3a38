; void tess_unzx0(const unsigned char* stream, unsigned char* out)
; void tess_unzx0_vram(const unsigned char* stream, unsigned address)
; Unpacks a ZX0 (version 2) stream. Blocks: literal bytes (gamma length),
; a copy from the last offset (gamma length) and a copy from a new offset
; (inverted gamma of its high part, 256 for the end; a byte of 7 low bits
; whose lowest bit starts the length's gamma; length + 1). A block's kind
; after a literal block or a copy is one bit. Bits come most significant
; first from bit bytes met in the stream as they are needed.
; HL: the stream; DE: the output; A: the bit byte, with a marker bit below
; the bits left; BC: gamma values. Bits come in and bytes go out through
; unpack.s.
        .module tess_unzx0
        .globl  _tess_unzx0, _tess_unzx0_vram
        .globl  unpack_into_ram, unpack_into_vram, unpack_literals, unpack_copy, unpack_bit

        .area   _DATA
last_offset:
        .ds     2

        .area   _CODE
_tess_unzx0::
        call    unpack_into_ram
        jr      unzx0
_tess_unzx0_vram::
        call    unpack_into_vram
unzx0:
        ld      bc, #1
        ld      (last_offset), bc
        ld      a, #0x80                ; no bits yet
literals:
        call    gamma
        call    unpack_literals
        call    unpack_bit
        jr      c, new_offset
        call    gamma                   ; a copy from the last offset
        call    copy
        call    unpack_bit
        jr      nc, literals
new_offset:
        ld      bc, #1                  ; the offset's high part, its data bits inverted
1$:     call    unpack_bit
        jr      c, 2$
        call    unpack_bit
        ccf
        rl      c
        rl      b
        jr      1$
2$:     dec     b
        ret     z                       ; 256: the end
        ex      af, af'
        ld      b, c
        ld      c, (hl)                 ; the low byte
        inc     hl
        push    hl
        push    de
        ld      h, b
        ld      l, #0
        srl     h
        rr      l                       ; high part * 128
        ld      a, c
        srl     a
        ld      e, a
        ld      d, #0
        or      a
        sbc     hl, de                  ; less the low byte's 7 bits
        ld      (last_offset), hl
        pop     de
        pop     hl
        ex      af, af'
        rr      c                       ; the low byte's lowest bit: the length's first bit
        ld      bc, #1
        call    gamma_from_carry
        inc     bc
        call    copy
        call    unpack_bit
        jr      c, new_offset
        jr      literals

; BC = an interlaced Elias gamma code: while a 0 comes, a data bit.
gamma:
        ld      bc, #1
gamma_bit:
        call    unpack_bit
gamma_from_carry:
        ret     c
        call    unpack_bit
        rl      c
        rl      b
        jr      gamma_bit

; BC bytes from last_offset back in the output.
copy:
        ex      af, af'
        push    hl
        ld      hl, (last_offset)
        ex      de, hl
        push    hl
        or      a
        sbc     hl, de
        pop     de
        call    unpack_copy
        pop     hl
        ex      af, af'
        ret
