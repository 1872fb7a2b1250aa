"""Writes the skin's theme packages: ThemeUI.dll's resources (NormalBlue.ini,
THEMES_INI and the pictures) and the test packages, whose parts and states
each draw one solid colour from a table that the tests read.

    make_theme_package.py OUTDIR
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "resources", "zavomgr"))
from bmpfile import bmp  # noqa: E402
from pngfile import rgba  # noqa: E402

MAGENTA = (255, 0, 255)


def utf16_text(lines):
    """UTF-16LE with a byte-order mark and CR LF line ends."""
    return "\ufeff".encode("utf-16-le") + "".join(line + "\r\n" for line in lines).encode("utf-16-le")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def resource_name(name):
    return name.replace(".", "_").replace("\\", "_").upper()


# ---------------------------------------------------------------- NormalBlue

def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


BLUE_TOP, BLUE_BOTTOM = (120, 170, 235), (40, 95, 190)
STATE_TINTS = {"normal": 0.0, "hot": 0.35, "pressed": -0.3, "disabled": None, "default": 0.15,
               "checked": -0.15, "focused": 0.2, "selected": -0.2, "inactive": None}


def tinted(colour, state):
    t = STATE_TINTS.get(state, 0.0)
    if t is None:
        grey = sum(colour) // 3
        return mix(colour, (grey, grey, grey), 0.8)
    if t >= 0:
        return mix(colour, (255, 255, 255), t)
    return mix(colour, (0, 0, 0), -t)


def panel(w, h, state, radius=2, glyph=None, alpha=False, top_only=False):
    """A rounded gradient panel with a dark border; glyph(x, y) -> True draws the mark.
    The cut corners are magenta, or transparent with alpha; top_only rounds the top two."""
    top, bottom = tinted(BLUE_TOP, state), tinted(BLUE_BOTTOM, state)
    border = tinted((20, 50, 120), state)
    mark = (255, 255, 255) if state not in ("disabled", "inactive") else (200, 200, 200)

    def pixel(x, y):
        corner = min(x, w - 1 - x) + min(y, h - 1 - y) < radius and (not top_only or y < h / 2)
        if corner:
            return (0, 0, 0, 0) if alpha else MAGENTA
        edge = x == 0 or y == 0 or x == w - 1 or y == h - 1
        c = border if edge else mix(top, bottom, y / max(1, h - 1))
        if glyph and not edge and glyph(x, y):
            c = mark
        return c + (255,) if alpha else c
    return pixel


def strip(w, h, states, make, vertical=True):
    """Frames of w x h, one a state, stacked vertically (or side by side)."""
    frames = [make(w, h, s) for s in states]

    def pixel(x, y):
        if vertical:
            return frames[y // h](x, y % h)
        return frames[x // w](x % w, y)
    return (w, h * len(states)) if vertical else (w * len(states), h), pixel


def cross(w, h):
    return lambda x, y: abs((x - w / 2) - (y - h / 2)) < 1 or abs((x - w / 2) + (y - h / 2)) < 1 \
        if w / 4 < x < 3 * w / 4 and h / 4 < y < 3 * h / 4 else False


def line(w, h):
    return lambda x, y: h * 0.6 < y < h * 0.75 and w / 4 < x < 3 * w / 4


def box(w, h):
    left, right, top, bottom = w // 4 + 1, w - w // 4 - 2, h // 4 + 1, h - h // 4 - 2
    return lambda x, y: left <= x <= right and top <= y <= bottom and (
        x in (left, right) or y in (top, top + 1, bottom))


def frame_box(left, top, right, bottom):
    """A window outline two pixels thick on every side, so that no side is lost
    when the glyph is shrunk to the caption button."""
    return lambda x, y: left <= x <= right and top <= y <= bottom and (
        x - left < 2 or right - x < 2 or y - top < 3 or bottom - y < 2)


def maximise(w, h):
    return frame_box(w // 4, h // 4, w - w // 4 - 1, h - h // 4 - 1)


def restore(w, h):
    """Two windows: the front one below left, the back one peeping out above right."""
    size = w // 2 - 1
    front_left, front_bottom = w // 4 - 1, h - h // 4
    back_left, back_top = front_left + w // 6 + 1, h // 4 - 1
    front = frame_box(front_left, front_bottom - size + 1, front_left + size - 1, front_bottom)
    back = frame_box(back_left, back_top, back_left + size - 1, back_top + size - 1)

    def inside_front(x, y):
        return front_left <= x < front_left + size and front_bottom - size < y <= front_bottom
    return lambda x, y: front(x, y) or (back(x, y) and not inside_front(x, y))


def arrow(direction, w, h):
    def inside(x, y):
        cx, cy = x - w / 2 + 0.5, y - h / 2 + 0.5
        # d grows from the tip towards the base
        if direction in ("up", "down"):
            d = cy if direction == "up" else -cy
            return abs(cx) <= (d + 2) and -2 <= d <= 1.5
        d = cx if direction == "left" else -cx
        return abs(cy) <= (d + 2) and -2 <= d <= 1.5
    return inside


def tick(w, h):
    return lambda x, y: (x - w * 0.25) >= 0 and abs((y - h * 0.55) - (x - w * 0.25)) < 1.2 and x < w * 0.45 or \
        (x >= w * 0.45 and abs((y - h * 0.75) + (x - w * 0.45)) < 1.2 and x < w * 0.8)


def dot(w, h):
    return lambda x, y: (x - w / 2 + 0.5) ** 2 + (y - h / 2 + 0.5) ** 2 < (w / 5) ** 2


# Check boxes and radio buttons: a light face inside the dark border, the mark
# dark; hot lightens towards blue, pressed darkens the face, disabled is grey.
CHECK_FACES = {"normal": ((255, 255, 255), (222, 232, 246)), "hot": ((244, 250, 255), (200, 222, 250)),
               "pressed": ((200, 216, 240), (176, 198, 232)), "disabled": ((244, 244, 244), (228, 228, 228))}
CHECK_MARKS = {"normal": (20, 40, 90), "hot": (20, 50, 120), "pressed": (10, 25, 60), "disabled": (140, 140, 140)}


def check_face(w, h, state, mark=None, round_=False):
    """mark(x, y) -> True draws the dark mark; round_ makes a radio button's circle
    (magenta outside it)."""
    top, bottom = CHECK_FACES[state]
    border = tinted((20, 50, 120), state)
    cx, cy, r = (w - 1) / 2, (h - 1) / 2, w / 2

    def pixel(x, y):
        if round_:
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d > r:
                return MAGENTA
            edge = d > r - 1.4
        else:
            edge = x == 0 or y == 0 or x == w - 1 or y == h - 1
        if edge:
            return border
        if mark and mark(x, y):
            return CHECK_MARKS[state]
        return mix(top, bottom, y / max(1, h - 1))
    return pixel


class Package:
    def __init__(self):
        self.lines = []
        self.images = {}   # name -> (kind, data): "png" or "bmp"

    def section(self, name, **props):
        # a part inherits its class's background type: say that an image is one
        if "ImageFile" in props and "BgType" not in props:
            props = dict(BgType="ImageFile", **props)
        self.lines.append("[%s]" % name)
        for key, value in props.items():
            self.lines.append("%s = %s" % (key, value))
        self.lines.append("")

    def image(self, name, size, pixel, kind="bmp", bpp=24):
        w, h = size
        if kind == "bmp32":
            self.images[name] = ("bmp", bmp(w, h, pixel, 32))
        elif kind == "png":
            self.images[name] = ("png", rgba(w, h, pixel))
        else:
            self.images[name] = ("bmp", bmp(w, h, pixel, bpp))
        return name


def normal_blue():
    p = Package()
    p.lines += ["; Normal blue: the studio's theme.", ""]
    p.section("Documentation", DisplayName="Normal Blue", Author="Zavo", AlphaLevel=254)
    colours = {
        "Scrollbar": "212 224 242", "Background": "58 110 165", "ActiveCaption": "40 95 190",
        "InactiveCaption": "150 170 200", "Menu": "240 244 250", "Window": "255 255 255", "WindowFrame": "20 50 120",
        "MenuText": "0 0 0", "WindowText": "0 0 0", "CaptionText": "255 255 255", "ActiveBorder": "40 95 190",
        "InactiveBorder": "150 170 200", "AppWorkspace": "128 150 190", "Highlight": "50 110 210",
        "HighlightText": "255 255 255", "BtnFace": "228 236 248", "BtnShadow": "140 160 200", "GrayText": "128 128 128",
        "BtnText": "0 0 0", "InactiveCaptionText": "220 228 240", "BtnHighlight": "255 255 255",
        "DkShadow3d": "60 80 130", "Light3d": "240 244 252", "InfoText": "0 0 0", "InfoBk": "255 255 225",
        "ButtonAlternateFace": "180 190 210", "HotTracking": "0 0 255", "GradientActiveCaption": "120 170 235",
        "GradientInactiveCaption": "190 200 220", "MenuHilight": "50 110 210", "MenuBar": "240 244 250"}
    p.section("SysMetrics", CaptionBarHeight=22, SmCaptionBarHeight=17, ScrollBarWidth=17, ScrollBarHeight=17,
              CaptionFont="Tahoma, 8, Bold", SmallCaptionFont="Tahoma, 8, Bold", MenuFont="Tahoma, 8",
              **colours)
    p.section("Globals", TextColor="0 0 0", Transparent="True", TransparentColor="255 0 255")

    def parts(cls, part, w, h, states, glyph=None, margins="3, 3, 3, 3", kind="bmp", sizing="Stretch", blank=(),
              **extra):
        def frame(fw, fh, s):
            # A blank state shows what lies under the part (a flat tool bar button at rest).
            if s in blank:
                return lambda x, y: (0, 0, 0, 0) if kind != "bmp" else MAGENTA
            return panel(fw, fh, s, glyph=glyph and glyph(fw, fh), alpha=kind != "bmp")
        name = p.image("%s_%s.%s" % (cls, part, "png" if kind == "png" else "bmp"), *strip(w, h, states, frame),
                       kind=kind)
        props = dict(ImageFile=name.upper(), ImageCount=len(states), ImageLayout="Vertical",
                     SizingMargins=margins, SizingType=sizing)
        props.update(extra)
        p.section("%s.%s" % (cls, part), **props)

    four = ["normal", "hot", "pressed", "disabled"]
    # Window frame: caption with magenta top corners, sides, bottom, caption buttons.
    caption = p.image("window_caption.bmp", *strip(60, 30, ["normal", "inactive"],
                                                   lambda w, h, s: panel(w, h, s, radius=6, top_only=True)))
    p.section("Window.Caption", ImageFile=caption.upper(), ImageCount=2, ImageLayout="Vertical",
              SizingMargins="10, 10, 4, 4", SizingType="Stretch", Transparent="True", ContentMargins="4, 4, 0, 0",
              CaptionMargins="2, 2, 0, 0", TextColor="255 255 255")
    small = p.image("window_smallcaption.bmp", *strip(40, 24, ["normal", "inactive"],
                                                      lambda w, h, s: panel(w, h, s, radius=4, top_only=True)))
    p.section("Window.SmallCaption", ImageFile=small.upper(), ImageCount=2, ImageLayout="Vertical",
              SizingMargins="6, 6, 3, 3", SizingType="Stretch", Transparent="True")
    for part in ("FrameLeft", "FrameRight", "FrameBottom", "SmallFrameLeft", "SmallFrameRight", "SmallFrameBottom"):
        parts("Window", part, 8, 8, ["normal", "inactive"], margins="2, 2, 2, 2")
    for part, glyph in (("CloseButton", cross), ("SmallCloseButton", cross), ("MdiCloseButton", cross),
                        ("MinButton", line), ("MdiMinButton", line), ("MaxButton", maximise),
                        ("RestoreButton", restore), ("MdiRestoreButton", restore), ("HelpButton", dot), ("MdiHelpButton", dot),
                        ("SysButton", None), ("MdiSysButton", None)):
        kind = {"CloseButton": "png", "MaxButton": "bmp32", "RestoreButton": "bmp32"}.get(part, "bmp")
        parts("Window", part, 21, 21, four, glyph=glyph, kind=kind)
    for part, glyph in (("HorzScroll", None), ("HorzThumb", None), ("VertScroll", None), ("VertThumb", None)):
        parts("Window", part, 17, 17, four, glyph=glyph)
    p.section("Window.Dialog", BgType="BorderFill", FillColor="228 236 248", BorderSize=0)

    # Scroll bars.
    arrows = []
    for direction in ("up", "down", "left", "right"):
        arrows += [(direction, s) for s in four]
    size, pixel = strip(17, 17, arrows, lambda w, h, ds: panel(w, h, ds[1], glyph=arrow(ds[0], w, h)))
    p.section("Scrollbar.ArrowBtn", ImageFile=p.image("scrollbar_arrowbtn.bmp", size, pixel).upper(), ImageCount=16,
              ImageLayout="Vertical", SizingMargins="3, 3, 3, 3", SizingType="Stretch")
    for part in ("ThumbBtnHorz", "ThumbBtnVert"):
        parts("Scrollbar", part, 17, 17, four)
    for part in ("LowerTrackHorz", "UpperTrackHorz", "LowerTrackVert", "UpperTrackVert"):
        p.section("Scrollbar.%s" % part, BgType="BorderFill", BorderSize=0, FillColor="212 224 242")
    for part, w, h in (("GripperHorz", 8, 7), ("GripperVert", 7, 8)):
        p.section("Scrollbar.%s" % part, ImageFile=p.image("scrollbar_%s.bmp" % part.lower(), (w, h), lambda x, y: (
            (255, 255, 255) if (x + y) % 3 == 0 else MAGENTA)).upper(), SizingType="TrueSize", Transparent="True")
    p.section("Scrollbar.SizeBox", ImageFile=p.image("scrollbar_sizebox.bmp", (17, 17), lambda x, y: (
        (100, 130, 190) if (x + y) > 18 and (x + y) % 4 == 0 else MAGENTA)).upper(), ImageCount=1,
        SizingType="TrueSize", Transparent="True")

    # Buttons.
    parts("Button", "PushButton", 20, 20, ["normal", "hot", "pressed", "disabled", "default"], kind="png",
          ContentMargins="4, 4, 3, 3")
    checks = [(c, t) for c in ("unchecked", "checked") for t in four]
    size, pixel = strip(13, 13, checks, lambda w, h, cs: check_face(
        w, h, cs[1], mark=dot(w, h) if cs[0] == "checked" else None, round_=True))
    p.section("Button.RadioButton", ImageFile=p.image("button_radio.bmp", size, pixel).upper(), ImageCount=8,
              ImageLayout="Vertical", SizingType="TrueSize", Transparent="True")
    checks = [(c, t) for c in ("unchecked", "checked", "mixed") for t in four]
    size, pixel = strip(13, 13, checks, lambda w, h, cs: check_face(w, h, cs[1], mark={
        "unchecked": None, "checked": tick(w, h), "mixed": box(w, h)}[cs[0]]))
    p.section("Button.CheckBox", ImageFile=p.image("button_check.bmp", size, pixel).upper(), ImageCount=12,
              ImageLayout="Vertical", SizingType="TrueSize")
    p.section("Button.GroupBox", BgType="BorderFill", BorderSize=1, BorderColor="140 160 200", BorderOnly="True",
              TextColor="20 50 120")
    p.section("Button.UserButton", BgType="None")
    # disabled buttons write their text grey (light on the push button's grey face)
    p.section("Button.PushButton(Disabled)", TextColor="214 214 214")
    for section in ("RadioButton(UncheckedDisabled)", "RadioButton(CheckedDisabled)",
                    "CheckBox(UncheckedDisabled)", "CheckBox(CheckedDisabled)", "CheckBox(MixedDisabled)",
                    "GroupBox(Disabled)"):
        p.section("Button." + section, TextColor="128 128 128")

    # Edit boxes, combo boxes, list boxes and views.
    for cls in ("Edit", "ListBox", "ListView", "TreeView"):
        p.section(cls, BgType="BorderFill", BorderSize=1, BorderColor="100 130 190", FillColor="255 255 255")
    p.section("Edit.EditText", BgType="BorderFill", BorderSize=1, BorderColor="100 130 190", FillColor="255 255 255")
    p.section("Edit.EditText(Disabled)", FillColor="236 240 246")
    parts("ComboBox", "DropDownButton", 17, 20, four, glyph=lambda w, h: arrow("down", w, h))
    p.section("ComboBox", BgType="BorderFill", BorderSize=1, BorderColor="100 130 190", FillColor="255 255 255")
    size, pixel = strip(9, 9, ["closed", "opened"], lambda w, h, s: panel(w, h, "normal", radius=0, glyph=(
        lambda x, y: y == 4 and 1 < x < 7 or (s == "closed" and x == 4 and 1 < y < 7))))
    p.section("TreeView.Glyph", ImageFile=p.image("treeview_glyph.bmp", size, pixel).upper(), ImageCount=2,
              ImageLayout="Vertical", SizingType="TrueSize")
    parts("Header", "HeaderItem", 20, 20, ["normal", "hot", "pressed"], margins="3, 3, 3, 3")
    parts("Header", "HeaderItemLeft", 20, 20, ["normal", "hot", "pressed"])
    parts("Header", "HeaderItemRight", 20, 20, ["normal", "hot", "pressed"])
    p.section("ListView.ListItem", BgType="None")

    # Progress, spin, status, track bar.
    parts("Progress", "Bar", 12, 12, ["normal"], margins="2, 2, 2, 2")
    parts("Progress", "BarVert", 12, 12, ["normal"], margins="2, 2, 2, 2")
    p.section("Progress", ProgressChunkSize=8, ProgressSpaceSize=2)
    p.section("Progress.Chunk", BgType="BorderFill", BorderSize=0, FillColor="60 170 80")
    p.section("Progress.ChunkVert", BgType="BorderFill", BorderSize=0, FillColor="60 170 80")
    for part, direction in (("Up", "up"), ("Down", "down"), ("UpHorz", "left"), ("DownHorz", "right")):
        parts("Spin", part, 15, 11, four, glyph=lambda w, h, d=direction: arrow(d, w, h))
    p.section("Status", BgType="BorderFill", BorderSize=0, FillColor="228 236 248")
    p.section("Status.Pane", BgType="BorderFill", BorderSize=1, BorderColor="140 160 200", BorderOnly="True")
    p.section("Status.GripperPane", BgType="None")
    p.section("Status.Gripper", ImageFile=p.image("status_gripper.bmp", (12, 12), lambda x, y: (
        (100, 130, 190) if (x + y) > 12 and (x + y) % 3 == 0 else MAGENTA)).upper(), SizingType="TrueSize",
        Transparent="True", VAlign="Bottom")
    parts("Trackbar", "Track", 8, 4, ["normal"], margins="1, 1, 1, 1")
    parts("Trackbar", "TrackVert", 4, 8, ["normal"], margins="1, 1, 1, 1")
    for part, w, h in (("Thumb", 11, 19), ("ThumbBottom", 11, 19), ("ThumbTop", 11, 19), ("ThumbVert", 19, 11),
                       ("ThumbLeft", 19, 11), ("ThumbRight", 19, 11)):
        parts("Trackbar", part, w, h, ["normal", "hot", "pressed", "focused", "disabled"], sizing="TrueSize",
              Transparent="True")
    p.section("Trackbar.Tics", BgType="BorderFill", BorderSize=0, FillColor="60 80 130")
    p.section("Trackbar.TicsVert", BgType="BorderFill", BorderSize=0, FillColor="60 80 130")

    # Tabs and tool bars.
    tab_states = ["normal", "hot", "selected", "disabled", "focused"]
    for part in ("TabItem", "TabItemLeftEdge", "TabItemRightEdge", "TabItemBothEdge", "TopTabItem",
                 "TopTabItemLeftEdge", "TopTabItemRightEdge", "TopTabItemBothEdge"):
        parts("Tab", part, 20, 20, tab_states)
    p.section("Tab.Pane", BgType="BorderFill", BorderSize=1, BorderColor="100 130 190", FillColor="244 248 254")
    p.section("Tab.Body", BgType="BorderFill", BorderSize=0, FillColor="244 248 254")
    tool_states = ["normal", "hot", "pressed", "disabled", "checked", "hotchecked"]
    for part in ("Button", "DropDownButton", "SplitButton", "SplitButtonDropDown"):
        parts("Toolbar", part, 20, 20, tool_states, kind="png" if part == "Button" else "bmp",
              blank=("normal", "disabled"), **({} if part == "Button" else {"Transparent": "True"}))
    p.section("Toolbar.Separator", BgType="BorderFill", BorderSize=0, FillColor="140 160 200")
    p.section("Toolbar.SeparatorVert", BgType="BorderFill", BorderSize=0, FillColor="140 160 200")
    p.section("Menu", BgType="BorderFill", BorderSize=1, BorderColor="140 160 200", FillColor="240 244 250")
    p.section("Menu.MenuItem", BgType="BorderFill", BorderSize=0, FillColor="240 244 250")
    p.section("Menu.Separator", BgType="BorderFill", BorderSize=0, FillColor="180 190 210")
    p.section("Tooltip", BgType="BorderFill", BorderSize=1, BorderColor="60 80 130", FillColor="255 255 225")
    p.section("Rebar", BgType="BorderFill", BorderSize=0, FillColor="228 236 248")
    return p


# ---------------------------------------------------------------- solid test packages

# (class, part, number of states); every state draws its own colour.
SOLID_PARTS = [
    ("WINDOW", "CAPTION", 3), ("WINDOW", "FRAMELEFT", 2), ("WINDOW", "FRAMERIGHT", 2), ("WINDOW", "FRAMEBOTTOM", 2),
    ("WINDOW", "CLOSEBUTTON", 4), ("WINDOW", "MINBUTTON", 4), ("WINDOW", "MAXBUTTON", 4),
    ("BUTTON", "PUSHBUTTON", 5), ("BUTTON", "RADIOBUTTON", 8), ("BUTTON", "CHECKBOX", 12),
    ("SCROLLBAR", "ARROWBTN", 16), ("SCROLLBAR", "THUMBBTNVERT", 4), ("SCROLLBAR", "SIZEBOX", 2),
    ("COMBOBOX", "DROPDOWNBUTTON", 4), ("PROGRESS", "BAR", 1), ("SPIN", "UP", 4), ("HEADER", "HEADERITEM", 3),
    ("TAB", "TABITEM", 5), ("TAB", "TABITEMBOTHEDGE", 5), ("TAB", "TOPTABITEMBOTHEDGE", 5),
    ("TOOLBAR", "BUTTON", 6), ("TRACKBAR", "THUMB", 5),
    ("PROGRESS", "CHUNK", 1), ("TAB", "TOPTABITEM", 5), ("TAB", "TOPTABITEMLEFTEDGE", 5),
    ("TAB", "TOPTABITEMRIGHTEDGE", 5), ("TAB", "PANE", 1), ("TRACKBAR", "TRACK", 1), ("TRACKBAR", "THUMBBOTTOM", 5),
    ("SPIN", "UPHORZ", 4), ("SPIN", "DOWNHORZ", 4),
]


def solid_colour(index):
    r, g, b = (index * 67 + 13) % 251, (index * 131 + 71) % 241, (index * 29 + 151) % 239
    return (r, g, b)


def solid_table():
    table, index = [], 1
    for cls, part, states in SOLID_PARTS:
        for state in range(1, states + 1):
            table.append((cls, part, state, solid_colour(index)))
            index += 1
    return table


def solid_package(kind_of_image):
    """kind_of_image(cls, part) -> "bmp" or "png"."""
    p = Package()
    p.lines += ["; One solid colour per part and state.", ""]
    table = solid_table()
    for cls, part, states in SOLID_PARTS:
        colours = [c for (c1, p1, s, c) in table if (c1, p1) == (cls, part)]
        kind = kind_of_image(cls, part)
        w, h = 8, 6
        if kind == "png":
            pixel = lambda x, y, cs=colours: cs[y // h] + (255,)
        else:
            pixel = lambda x, y, cs=colours: cs[y // h]
        name = p.image("%s_%s.%s" % (cls.lower(), part.lower(), kind), (w, h * states), pixel, kind=kind)
        # The both-edge tab parts take their colours from state sections only.
        if part.endswith("BOTHEDGE"):
            grey = p.image("%s_%s.bmp" % (cls.lower(), part.lower()), (w, h), lambda x, y: (128, 128, 128))
            p.section("%s.%s" % (cls, part), ImageFile=grey.upper(), ImageCount=1)
            for state in range(1, states + 1):
                other = p.image("%s_%s_%d.bmp" % (cls.lower(), part.lower(), state), (w, h),
                                lambda x, y, c=colours[state - 1]: c)
                state_name = ["Normal", "Hot", "Selected", "Disabled", "Focused"][state - 1]
                p.section("%s.%s(%s)" % (cls, part, state_name), ImageFile=other.upper(), ImageCount=1)
            continue
        p.section("%s.%s" % (cls, part), ImageFile=name.upper(), ImageCount=states, ImageLayout="Vertical")
    # Parts for the drawing rules.
    p.section("Button.GroupBox", BgType="None")
    p.section("Edit.EditText", BgType="BorderFill", BorderSize=2, BorderColor="10 20 30", FillColor="40 50 60")
    p.section("Edit.Caret", BgType="BorderFill", BorderSize=2, BorderColor="10 20 30", FillColor="40 50 60",
              BorderOnly="True")
    strip5 = p.image("strip5.bmp", (100, 20), lambda x, y: solid_colour(200 + x // 20))
    p.section("Toolbar.SplitButton", ImageFile=strip5.upper(), ImageCount=5, ImageLayout="Horizontal")
    p.section("Toolbar.DropDownButton", ImageFile=strip5.upper(), ImageCount=5, ImageLayout="Horizontal",
              SizingType="TrueSize")
    key = p.image("keyed.bmp", (6, 6), lambda x, y: MAGENTA if (x in (0, 5) or y in (0, 5)) else (0, 128, 0))
    p.section("Spin.Down", ImageFile=key.upper(), Transparent="True", SizingMargins="1, 1, 1, 1")
    p.section("SysMetrics", CaptionBarHeight=20, ScrollBarWidth=0, BtnFace="11 12 13", Window="4 5 6")
    return p, table


# ---------------------------------------------------------------- Office 2007 images

def office_package():
    p = Package()
    p.lines += ["; The Office 2007 schema's package.", ""]
    for name, (w, h, frames) in {
            "OFFICE2007\\SCROLLVERTICALDARK.BMP": (17, 10, 2), "OFFICE2007\\SCROLLVERTICALLIGHT.BMP": (17, 10, 2),
            "OFFICE2007\\SCROLLHORIZONTALDARK.BMP": (10, 17, 2), "OFFICE2007\\SCROLLHORIZONTALLIGHT.BMP": (10, 17, 2),
            "OFFICE2007\\SCROLLARROWSVERTICALDARK.BMP": (17, 17, 4),
            "OFFICE2007\\SCROLLARROWSVERTICALLIGHT.BMP": (17, 17, 4),
            "OFFICE2007\\SCROLLARROWSHORIZONTALDARK.BMP": (17, 17, 4),
            "OFFICE2007\\SCROLLARROWSHORIZONTALLIGHT.BMP": (17, 17, 4),
            "OFFICE2007\\SCROLLTHUMBVERTICAL.BMP": (17, 17, 3), "OFFICE2007\\SCROLLTHUMBHORIZONTAL.BMP": (17, 17, 3),
    }.items():
        states = ["normal", "hot", "pressed", "checked"][:frames]
        p.image(name, *strip(w, h, states, lambda fw, fh, s: panel(fw, fh, s, radius=0)))
    glyphs = []
    for direction in ("up", "down", "left", "right"):
        glyphs += [(direction, "normal"), (direction, "disabled")]

    def glyph_pixel(x, y):
        direction, state = glyphs[x // 9 % len(glyphs)] if x // 9 < 8 else ("up", "normal")
        ink = arrow(direction, 9, 9)(x % 9, y)
        return ((40, 60, 100) if state == "normal" else (160, 160, 160)) if ink else MAGENTA
    # Eight 9 x 9 glyphs at x offsets 0, 27, 36, 63, 72, 99, 108, 135 (the gaps are magenta).
    order = {0: ("up", "normal"), 27: ("up", "disabled"), 36: ("down", "normal"), 63: ("down", "disabled"),
             72: ("left", "normal"), 99: ("left", "disabled"), 108: ("right", "normal"), 135: ("right", "disabled")}

    def glyph_strip(x, y):
        for start, (direction, state) in order.items():
            if start <= x < start + 9:
                ink = arrow(direction, 9, 9)(x - start, y)
                return ((40, 60, 100) if state == "normal" else (160, 160, 160)) if ink else MAGENTA
        return MAGENTA
    p.image("OFFICE2007\\SCROLLARROWGLYPHS.BMP", (144, 9), glyph_strip)
    p.section("Scrollbar.ArrowBtn", ImageCount=16)
    p.section("Button.PushButton", BgType="BorderFill", BorderSize=1, BorderColor="1 2 3", FillColor="4 5 6")
    return p


# ---------------------------------------------------------------- output

def rc_text(package, ini_name, themes_ini=None, strings=None):
    out = ["#pragma code_page(65001)"]
    if strings:
        out.append("STRINGTABLE")
        out.append("BEGIN")
        for number, text in strings.items():
            out.append('    %d "%s"' % (number, text))
        out.append("END")
    out.append('%s TEXTFILE "%s"' % (resource_name(ini_name), ini_name))
    if themes_ini:
        out.append('THEMES_INI TEXTFILE "%s"' % themes_ini)
    for name, (kind, _) in sorted(package.images.items()):
        file_name = name.replace("\\", "_")
        if kind == "png":
            out.append('%s PNG "%s"' % (resource_name(name), file_name))
        else:
            out.append('%s BITMAP "%s"' % (resource_name(name), file_name))
    return "\n".join(out) + "\n"


def save_library(folder, package, ini_name, rc_name, themes_ini=None, strings=None):
    write(os.path.join(folder, ini_name), utf16_text(package.lines))
    if themes_ini:
        write(os.path.join(folder, "themes_ini.txt"), utf16_text(themes_ini))
    for name, (_, data) in package.images.items():
        write(os.path.join(folder, name.replace("\\", "_")), data)
    write(os.path.join(folder, rc_name), rc_text(package, ini_name, themes_ini and "themes_ini.txt", strings)
          .encode("utf-8"))


def save_folder(folder, package, ini_name):
    write(os.path.join(folder, ini_name), "".join(line + "\r\n" for line in package.lines).encode("ascii"))
    for name, (_, data) in package.images.items():
        write(os.path.join(folder, *name.split("\\")), data)


def main():
    out = sys.argv[1]
    blue = normal_blue()
    save_library(os.path.join(out, "themeui"), blue, "NormalBlue.ini", "ThemeUI.rc",
                 themes_ini=["; schemes of the package", "[File.NormalBlue]", "ColorSchemes = NormalBlue",
                             "Sizes = NormalSize", ""])
    solid, table = solid_package(lambda cls, part: "png" if cls in ("BUTTON", "TOOLBAR") else "bmp")
    save_library(os.path.join(out, "solid"), solid, "Solid.ini", "SolidPackage.rc",
                 themes_ini=["[File.Solid]", "ColorSchemes = Solid", ""])
    save_folder(os.path.join(out, "solid_folder"), solid, "Solid.ini")
    office = office_package()
    save_library(os.path.join(out, "office"), office, "Office.ini", "OfficePackage.rc",
                 strings={5000: "Office 2007 Style"})
    with open(os.path.join(out, "solid_colours.txt"), "w") as f:
        f.write("# class part state red green blue\n")
        for cls, part, state, (r, g, b) in table:
            f.write("%s %s %d %d %d %d\n" % (cls, part, state, r, g, b))


if __name__ == "__main__":
    main()
