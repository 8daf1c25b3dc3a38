; What the unpackers share: their arguments, their bits, and where they put
; their bytes, RAM or video memory through the chip's ports. An unpacker's
; entry calls unpack_into_ram or unpack_into_vram, which leave the stream in
; HL and the output in DE from the caller's arguments (stream, output). Then
; it calls unpack_bit for each bit, unpack_literals (BC bytes from the stream
; at HL to the output at DE) and unpack_copy (BC bytes from the output at HL
; to the output at DE); both leave HL and DE past their bytes and keep A, the
; unpacker's bits, and jump to the routine the entry chose.
        .module tess_unpack
        .globl  unpack_into_ram, unpack_into_vram, unpack_literals, unpack_copy, unpack_bit
        .globl  vram_literals, vram_copy

        .area   _DATA
unpack_literals::
        .ds     3                       ; jp literals
unpack_copy::
        .ds     3                       ; jp copy

        .area   _CODE
unpack_into_vram::
        ld      hl, #vram_literals
        ld      de, #vram_copy
        jr      set_output
unpack_into_ram::
        ld      hl, #ram_bytes
        ld      d, h
        ld      e, l
set_output:
        ld      a, #0xC3                ; jp
        ld      (unpack_literals), a
        ld      (unpack_copy), a
        ld      (unpack_literals + 1), hl
        ld      (unpack_copy + 1), de
        ld      hl, #6                  ; past this return and the entry's
        add     hl, sp
        ld      e, (hl)
        inc     hl
        ld      d, (hl)                 ; the output
        dec     hl
        dec     hl
        ld      a, (hl)
        dec     hl
        ld      l, (hl)
        ld      h, a                    ; the stream
        ret

; In RAM a literal run and a copy are both a block move.
ram_bytes:
        ldir
        ret

; Carry = the next bit, most significant first, from bytes met in the stream
; as they are needed. A: the bit byte, with a marker bit below the bits left.
unpack_bit::
        add     a, a
        ret     nz
        ld      a, (hl)
        inc     hl
        rla                             ; the marker in, the byte's top bit out
        ret
