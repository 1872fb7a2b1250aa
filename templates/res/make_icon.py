# Writes template.ico: a 32x32 32-bit page with a few command lines.
import struct

W = H = 32
pixels = []
for y in range(H):
    row = []
    for x in range(W):
        inside = 5 <= x <= 26 and 2 <= y <= 29
        edge = inside and (x in (5, 26) or y in (2, 29))
        line = inside and not edge and 8 <= x <= 23 and y in (8, 12, 16, 20, 24) and x <= 23 - (y % 3) * 3
        if not inside:
            row.append((0, 0, 0, 0))
        elif edge:
            row.append((90, 60, 30, 255))
        elif line:
            row.append((160, 90, 20, 255))
        else:
            row.append((250, 250, 245, 255))
    pixels.append(row)

xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
and_mask = b"".join(
    bytes(sum((1 << (7 - i)) for i in range(8) if row[byte * 8 + i][3] == 0) for byte in range(4))
    for row in reversed(pixels))
header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
image = header + xor + and_mask
ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, 1, 32, len(image), 22) + image
open("template.ico", "wb").write(ico)
