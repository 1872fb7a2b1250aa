"""Writes the seed inputs of the skin's fuzzers beside this script."""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "resources", "zavomgr"))
from bmpfile import bmp  # noqa: E402


def write(folder, name, data):
    os.makedirs(os.path.join(HERE, folder), exist_ok=True)
    with open(os.path.join(HERE, folder, name), "wb") as f:
        f.write(data)


with tempfile.TemporaryDirectory() as temp:
    subprocess.check_call([sys.executable, os.path.join(HERE, "make_png_fixtures.py"), temp])
    for name in ("palette_trns.png", "grey_alpha.png", "bkgd.png", "rgb16.png", "gama.png"):
        shutil.copy(os.path.join(temp, name), os.path.join(HERE, "skin_png_fuzzer_seeds", name))
write("skin_dib_fuzzer_seeds", "palette.bmp", bmp(5, 3, lambda x, y: ((x * 50) % 256, y * 80, 7), 8))
write("skin_dib_fuzzer_seeds", "alpha.bmp", bmp(4, 2, lambda x, y: (x * 60, y, 9, x * 80), 32))
ini = ("; sample\r\n[Button.PushButton(Hot)]\r\nTextColor = 255 0 0x10\r\nContentMargins = 1, 2, 3, 4\r\n"
       "Font = Tahoma, 8, Bold\r\nOffset = 3,4\r\nBgType = ImageFile\r\n[Globals]\r\nAlphaLevel = 255\r\n")
write("skin_schema_fuzzer_seeds", "sample.ini", ini.encode("ascii"))
write("skin_schema_fuzzer_seeds", "sample_utf16.ini", "\ufeff".encode("utf-16-le") + ini.encode("utf-16-le"))
write("skin_schema_fuzzer_seeds", "themes.ini", "\ufeff[File.Blue]\r\n".encode("utf-16-le"))
