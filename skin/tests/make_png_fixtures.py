"""PNG files of every colour type the skin's decoder must read."""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "resources"))
from pngfile import png  # noqa: E402

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
W, H = 5, 3


def save(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)


def rgb16_rows():
    return [b"".join(struct.pack(">HHH", (x * 13000 + y * 999) & 0xFFFF, (x * 257 + 0x1234) & 0xFFFF,
                                 (y * 20000 + 77) & 0xFFFF) for x in range(W)) for y in range(H)]


palette = bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 200, 100, 50])
save("palette_trns.png", png(W, H, [bytes((x + y) % 4 for x in range(W)) for y in range(H)], 3, 8,
                             [(b"PLTE", palette), (b"tRNS", bytes([0, 128, 255]))]))
save("rgb16.png", png(W, H, rgb16_rows(), 2, 16))
save("grey.png", png(W, H, [bytes((x * 60 + y * 7) & 255 for x in range(W)) for y in range(H)], 0, 8))
save("grey4.png", png(8, 2, [bytes([0x01, 0x23, 0x45, 0x67]), bytes([0x89, 0xAB, 0xCD, 0xEF])], 0, 4))
save("grey_alpha.png", png(W, H, [b"".join(bytes((x * 50, 255 - y * 100)) for x in range(W)) for y in range(H)], 4, 8))
save("rgba16.png", png(W, H, [b"".join(struct.pack(">HHHH", x * 10000, y * 20000, 40000, x * 16000)
                                        for x in range(W)) for y in range(H)], 6, 16))
# Compositing and gamma: the test computes the expected values itself.
alpha_rows = [b"".join(bytes((200, 100, 0, x * 60)) for x in range(W)) for y in range(H)]
save("bkgd.png", png(W, H, alpha_rows, 6, 8, [(b"bKGD", struct.pack(">HHH", 0, 0, 255))]))
save("gama.png", png(W, H, [b"".join(bytes((x * 60, 128, 255)) for x in range(W)) for y in range(H)], 2, 8,
                     [(b"gAMA", struct.pack(">I", 45455))]))
good = png(W, H, [bytes(3 * W)] * H, 2, 8)
save("truncated.png", good[:len(good) - 20])
broken = bytearray(good)
broken[40] ^= 0xFF
save("broken.png", bytes(broken))
save("nine.png", good[:9])
save("huge.png", png(20000, 1, [bytes(20000)], 0, 8))
