"""The game's shared palette: every generator picks its colours from these ramps.

Ramps run dark to light; index 0 doubles as the selective outline of that material.
"""

from .canvas import hexc

OUTLINE = hexc("1b1424")
WHITE = hexc("fff8ec")
BLACK = hexc("0e0a14")

FOX = [hexc(c) for c in ("5a1f1c", "a2402a", "dc6a2c", "f49b45", "ffcf7a")]
CREAM = [hexc(c) for c in ("7a5a4a", "c9a68a", "f1dcc0", "fff4e0", "ffffff")]
SCARF = [hexc(c) for c in ("143947", "1f6b78", "34a8a4", "7fe0c9", "d2fff0")]
BOOT = [hexc(c) for c in ("1b1424", "3a2433", "5a3a44", "7b5454", "9c7160")]
METAL = [hexc(c) for c in ("1e2233", "3a4058", "6a7394", "a9b2cf", "e8eefc")]
ROPE = [hexc(c) for c in ("3b2a20", "6b4a32", "9c7450", "c9a574", "efd8a6")]

SKY = [hexc(c) for c in ("1d2450", "33407a", "5c62a0", "9d86b8", "e0a6b4", "f8cda8")]
FAR_HILL = [hexc(c) for c in ("4e5a92", "6674a8", "8090bf", "a2afd6")]
MID_HILL = [hexc(c) for c in ("1f3e48", "2c5a5c", "3f7a6c", "5c9a7a", "86bb8a")]
GRASS = [hexc(c) for c in ("173a2e", "2a5e3c", "44874a", "70b45a", "b2e07a")]
DIRT = [hexc(c) for c in ("241826", "3e2834", "5c3c42", "7e5650", "a07862")]
STONE = [hexc(c) for c in ("1e1f30", "353852", "50567a", "747ca2", "a4acca", "d4daf0")]
WOOD = [hexc(c) for c in ("2e1a1e", "4f2c2a", "774336", "a0603f", "c98a55", "e8b878")]
LEAF = [hexc(c) for c in ("142c2c", "1f4a3c", "2f6b48", "4d9152", "82bd62", "c2e38a")]
BARK = [hexc(c) for c in ("1e1420", "3a2430", "5a3a3e", "7e5a50", "a07c64")]

GLOW_WARM = [hexc(c) for c in ("5a2a10", "b0561c", "ff8f3a", "ffc45e", "ffe9a8", "fffbe8")]
GLOW_CYAN = [hexc(c) for c in ("0c2a44", "1a5f8a", "2a9fd0", "5de0e6", "b8fff2", "f0fffc")]
ENEMY = [hexc(c) for c in ("1c1030", "3b2150", "6a3d8a", "9a62c0", "d39cf0")]
ENEMY_EYE = [hexc(c) for c in ("6a0f22", "c0203a", "ff4d5e", "ff9aa0", "ffe6e6")]
TIME = [hexc(c) for c in ("4a2a0c", "a0601c", "e89a2a", "ffc45e", "ffeaa8")]
UI_DARK = [hexc(c) for c in ("0e0a14", "1b1424", "2a2238", "3d3352", "5a4e72")]
DUST = [hexc(c) for c in ("6e5a56", "9c847a", "c8b2a0", "e8dac8")]
