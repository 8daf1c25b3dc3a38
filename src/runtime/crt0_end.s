        ; From here on both machines alike: initialised data copied to RAM,
        ; static variables set, main(), a halt for good; then the order the
        ; linker lays the areas out in, code in ROM and data in RAM.
        ld      bc, #l__INITIALIZER
        ld      a, b
        or      c
        jr      z, 1$
        ld      de, #s__INITIALIZED
        ld      hl, #s__INITIALIZER
        ldir
1$:     call    gsinit                  ; static variables set by code
        call    _main
2$:     halt
        jr      2$

        .area   _HOME
        .area   _CODE
        .area   _INITIALIZER
        .area   _GSINIT
gsinit:
        .area   _GSFINAL
        ret
        .area   _DATA
        .area   _INITIALIZED
        .area   _BSS
        .area   _HEAP
