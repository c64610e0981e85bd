#!/usr/bin/env python3
"""Generates the pictures and icons of one language's resource library.

Everything is drawn here with ImageMagick's convert from geometric primitives
and text in the fonts named by the language's artwork_texts.txt; nothing is
taken from elsewhere. Sizes come from page_layout.h (dialog units) and the
language's page_texts.h (the page font's dialog base units), so every button
picture has exactly the pixel size of its button rectangle.

    make_artwork.py --layout page_layout.h --page-texts <lang>/page_texts.h
                    --texts <lang>/artwork_texts.txt --out <folder>

Pictures are written as 8-bit palettised BMP files (BMP3), icons as .ico files
with 32 x 32 and 16 x 16 images with transparency; a stamp file "artwork.stamp"
is written last.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

# The product's colours: dark slate surfaces around the progress bar's own
# background (RGB 58, 58, 58) and its bar colour as the accent (RGB 252, 200, 15).
ACCENT = "#fcc80f"
ACCENT_LIGHT = "#ffd84d"
ACCENT_DARK = "#d6a800"
CONTENT_TOP = "#3d4044"
CONTENT_BOTTOM = "#333639"
HEADER = "#232629"
HEADER_LINE = "#1a1c1e"
FOOTER = "#2a2d30"
FOOTER_LINE = "#45494d"
TEXT = "#ffffff"
TEXT_SOFT = "#d5d8dc"
TEXT_DIM = "#9aa0a6"
LINE_FAINT = "#4a4f54"
LINE_SOFT = "#6b7178"
BLUE_GREY = "#8fa3b5"
TEAL = "#4fb0a5"

CONVERT = shutil.which("convert") or "convert"


def read_defines(path):
    values = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"\s*#define\s+(\w+)\s+(.+?)\s*$", line)
            if m:
                values[m.group(1)] = m.group(2)
    return values


def read_texts(path):
    texts = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            key, _, value = line.partition("=")
            texts[key.strip()] = value.strip().replace("\\n", "\n")
    return texts


def font_file(pattern):
    """The font file fontconfig picks for a pattern; refuses substitutes."""
    out = subprocess.run(["fc-match", "-f", "%{file}\n%{family}", pattern],
                         check=True, capture_output=True, text=True).stdout
    file, _, families = out.partition("\n")
    wanted = pattern.split(":")[0].strip().lower()
    if wanted not in [f.strip().lower() for f in families.split(",")]:
        sys.exit(f"make_artwork: font '{pattern}' is not installed (fontconfig offers {families})")
    return file


def convert(*args):
    subprocess.run([CONVERT, *[str(a) for a in args]], check=True)


def mul_div(value, numerator, denominator):
    # Windows' MulDiv: rounds halves away from zero, as dialogs convert units.
    q, r = divmod(value * numerator, denominator)
    return q + (1 if 2 * r >= denominator else 0)


class Layout:
    def __init__(self, layout_defines, page_defines):
        self.d = {k: int(v) for k, v in layout_defines.items() if re.fullmatch(r"-?\d+", v)}
        self.base_x = int(page_defines["PAGE_BASE_X"])
        self.base_y = int(page_defines["PAGE_BASE_Y"])

    def __getitem__(self, name):
        return self.d[name]

    def x(self, dlu):
        return mul_div(dlu, self.base_x, 4)

    def y(self, dlu):
        return mul_div(dlu, self.base_y, 8)

    @property
    def page(self):
        return self.x(self["PAGE_W"]), self.y(self["PAGE_H"])

    @property
    def button(self):
        return self.x(self["BUTTON_W"]), self.y(self["BUTTON_H"])


class Artwork:
    def __init__(self, layout, texts, out, work):
        self.l = layout
        self.t = texts
        self.out = out
        self.work = work
        self.font = font_file(texts["font"])
        self.font_bold = font_file(texts["font_bold"])
        # The product name is always set in the Latin face.
        self.font_latin = font_file("DejaVu Sans")
        self.font_latin_bold = font_file("DejaVu Sans:bold")

    def tmp(self, name):
        return os.path.join(self.work, name)

    def save_bmp(self, png, name):
        # 8-bit palettised BMP without alpha: small, and the pages' skin code
        # takes its palette path for it.
        convert(png, "-alpha", "off", "-dither", "None", "-colors", "256", "-type", "Palette", "-compress", "None",
                f"BMP3:{os.path.join(self.out, name)}")

    # ---- shared page frame -------------------------------------------------

    def text_image(self, name, text, font, size, colour, spacing=0):
        path = self.tmp(name)
        convert("-background", "none", "-font", font, "-pointsize", size, "-fill", colour,
                "-interline-spacing", spacing, f"label:{text}", path)
        return path

    def wordmark(self):
        path = self.tmp("wordmark.png")
        if os.path.exists(path):
            return path
        name = self.text_image("wm_name.png", "Pelmora", self.font_latin_bold, 24, TEXT)
        year = self.text_image("wm_year.png", "2016", self.font_latin, 24, ACCENT)
        setup = self.text_image("wm_setup.png", self.t["header.setup"], self.font, 13, TEXT_DIM)
        # label: trims blanks, so the gaps are transparent spacers.
        convert("-background", "none", "-gravity", "south", name, "-size", "7x1", "xc:none", year,
                "-size", "12x1", "xc:none", setup, "+append", path)
        return path

    def frame(self, name, decorate=None):
        """The page frame: header band with the product name, calm content
        gradient, bottom bar for the buttons. `decorate` adds -draw arguments."""
        w, h = self.l.page
        hh = self.l.y(self.l["HEADER_H"])
        fy = self.l.y(self.l["FOOTER_Y"])
        mx = self.l.x(self.l["MARGIN_X"])
        path = self.tmp(name)
        args = ["-size", f"{w}x{h}", f"gradient:{CONTENT_TOP}-{CONTENT_BOTTOM}",
                "-fill", HEADER, "-draw", f"rectangle 0,0 {w - 1},{hh - 1}",
                "-fill", HEADER_LINE, "-draw", f"rectangle 0,{hh - 1} {w - 1},{hh - 1}",
                "-fill", ACCENT, "-draw", f"rectangle 0,{hh - 3} {mx + 96},{hh - 1}",
                "-fill", FOOTER, "-draw", f"rectangle 0,{fy} {w - 1},{h - 1}",
                "-fill", FOOTER_LINE, "-draw", f"rectangle 0,{fy} {w - 1},{fy}"]
        if decorate:
            args += decorate
        convert(*args, path)
        mark = self.wordmark()
        convert(path, mark, "-geometry", f"+{mx}+{(hh - 34) // 2}", "-composite", path)
        return path

    # ---- geometric helpers -------------------------------------------------

    @staticmethod
    def iso_cube(cx, cy, s, stroke, width, fill_top="none", fill_left="none", fill_right="none"):
        """An isometric cube centred on (cx, cy) with edge length s."""
        dx = s * 0.866
        dy = s * 0.5
        top = [(cx, cy - s), (cx + dx, cy - s + dy), (cx, cy), (cx - dx, cy - s + dy)]
        left = [(cx - dx, cy - s + dy), (cx, cy), (cx, cy + s), (cx - dx, cy + dy)]
        right = [(cx, cy), (cx + dx, cy - s + dy), (cx + dx, cy + dy), (cx, cy + s)]

        def poly(points, fill):
            pts = " ".join(f"{x:.1f},{y:.1f}" for x, y in points)
            return ["-fill", fill, "-stroke", stroke, "-strokewidth", width, "-draw", f"polygon {pts}"]
        return poly(top, fill_top) + poly(left, fill_left) + poly(right, fill_right)

    def content_box(self):
        """Content area between header and the labels of the copy page."""
        w, _ = self.l.page
        return (0, self.l.y(self.l["HEADER_H"]), w, self.l.y(self.l["PROGRESS_LABEL1_Y"]) - 6)

    def put_text(self, base, image, x, y):
        convert(base, image, "-geometry", f"+{x}+{y}", "-composite", base)

    # ---- backgrounds -------------------------------------------------------

    def page_background(self):
        w, _ = self.l.page
        hh = self.l.y(self.l["HEADER_H"])
        # Faint wireframes in the header band: the content area stays calm for
        # the feature rows, explanations and folder controls of the pages.
        deco = self.iso_cube(w - 60, hh // 2 + 2, 18, LINE_SOFT, 1) + \
            self.iso_cube(w - 96, hh // 2 + 10, 10, LINE_SOFT, 1)
        path = self.frame("page.png", deco)
        self.save_bmp(path, "page.bmp")
        return path

    def license_background(self):
        w, _ = self.l.page
        hh = self.l.y(self.l["HEADER_H"])
        # A sheet with a seal in the header, right side.
        x0, y0 = w - 64, 8
        deco = ["-fill", "#2f3336", "-stroke", LINE_SOFT, "-strokewidth", 1,
                "-draw", f"rectangle {x0},{y0} {x0 + 30},{hh - 10}"]
        for i in range(4):
            deco += ["-stroke", LINE_SOFT, "-draw", f"line {x0 + 6},{y0 + 8 + 5 * i} {x0 + 24},{y0 + 8 + 5 * i}"]
        deco += ["-fill", ACCENT, "-stroke", "none", "-draw", f"circle {x0 + 26},{hh - 14} {x0 + 31},{hh - 14}"]
        path = self.frame("license.png", deco)
        self.save_bmp(path, "license.bmp")

    def welcome_background(self):
        w, _ = self.l.page
        hh = self.l.y(self.l["HEADER_H"])
        cx, cy = w - 110, hh + (self.l.y(self.l["WELCOME_FOLDER_LABEL_Y"]) - hh) // 2 + 20
        deco = self.iso_cube(cx, cy, 64, ACCENT, 2, "#4a4538", "#35383b", "#2c2f32")
        deco += self.iso_cube(cx - 100, cy + 40, 26, LINE_SOFT, 1)
        deco += self.iso_cube(cx + 62, cy + 58, 18, LINE_SOFT, 1)
        deco += ["-stroke", LINE_FAINT, "-strokewidth", 1,
                 "-draw", f"line {cx - 150},{cy + 84} {w - 20},{cy + 84}"]
        path = self.frame("welcome.png", deco)
        intro = self.text_image("welcome_intro.png", self.t["welcome.intro"], self.font, 12, TEXT_SOFT, 3)
        self.put_text(path, intro, self.l.x(self.l["MARGIN_X"]), self.l.y(self.l["WELCOME_INTRO_Y"]))
        self.save_bmp(path, "welcome.bmp")

    def slide_illustration(self, n, cx, cy):
        """Six distinct drawings, one per feature message."""
        if n == 1:  # a floor plan with dimension lines
            x0, y0, x1, y1 = cx - 90, cy - 60, cx + 90, cy + 60
            d = ["-fill", "none", "-stroke", TEXT, "-strokewidth", 2,
                 "-draw", f"rectangle {x0},{y0} {x1},{y1}",
                 "-draw", f"line {cx - 10},{y0} {cx - 10},{cy + 10}",
                 "-draw", f"line {x0},{cy + 10} {cx + 40},{cy + 10}",
                 "-stroke", ACCENT, "-strokewidth", 2,
                 "-draw", f"arc {cx + 40},{cy - 20} {cx + 100},{cy + 40} 180,270",
                 "-stroke", BLUE_GREY, "-strokewidth", 1,
                 "-draw", f"line {x0},{y1 + 14} {x1},{y1 + 14}",
                 "-draw", f"line {x0},{y1 + 8} {x0},{y1 + 20}",
                 "-draw", f"line {x1},{y1 + 8} {x1},{y1 + 20}",
                 "-draw", f"line {x1 + 14},{y0} {x1 + 14},{y1}",
                 "-draw", f"line {x1 + 8},{y0} {x1 + 20},{y0}",
                 "-draw", f"line {x1 + 8},{y1} {x1 + 20},{y1}",
                 "-fill", ACCENT, "-stroke", "none",
                 "-draw", f"circle {cx - 10},{cy + 10} {cx - 6},{cy + 10}"]
            return d
        if n == 2:  # solids
            return (self.iso_cube(cx - 30, cy + 10, 56, ACCENT, 2, "#5a5138", "#3b3e41", "#2e3134") +
                    ["-fill", "#2e3134", "-stroke", TEAL, "-strokewidth", 2,
                     "-draw", f"ellipse {cx + 70},{cy + 44} 30,10 0,360",
                     "-draw", f"line {cx + 40},{cy + 44} {cx + 40},{cy - 16}",
                     "-draw", f"line {cx + 100},{cy + 44} {cx + 100},{cy - 16}",
                     "-fill", "#3b4a4a", "-draw", f"ellipse {cx + 70},{cy - 16} 30,10 0,360"])
        if n == 3:  # stacked layers
            d = []
            colours = [("#2e3134", LINE_SOFT), ("#34383b", BLUE_GREY), ("#3b3f43", TEAL), ("#4a4538", ACCENT)]
            for i, (fill, stroke) in enumerate(colours):
                y = cy + 45 - i * 28
                pts = f"{cx - 100},{y} {cx - 10},{y - 40} {cx + 100},{y} {cx + 10},{y + 40}"
                d += ["-fill", fill, "-stroke", stroke, "-strokewidth", 2, "-draw", f"polygon {pts}"]
            return d
        if n == 4:  # a part with dimensions
            x0, y0, x1, y1 = cx - 80, cy - 40, cx + 80, cy + 40
            return ["-fill", "#2e3134", "-stroke", TEXT, "-strokewidth", 2,
                    "-draw", f"path 'M {x0},{y0} L {cx - 20},{y0} L {cx - 20},{y0 - 20} L {x1},{y0 - 20} L {x1},{y1} L {x0},{y1} Z'",
                    "-fill", "none", "-draw", f"circle {cx + 35},{cy + 5} {cx + 55},{cy + 5}",
                    "-stroke", ACCENT, "-strokewidth", 1,
                    "-draw", f"line {x0},{y1 + 20} {x1},{y1 + 20}",
                    "-draw", f"line {x0},{y1 + 12} {x0},{y1 + 28}",
                    "-draw", f"line {x1},{y1 + 12} {x1},{y1 + 28}",
                    "-fill", ACCENT, "-stroke", "none",
                    "-draw", f"polygon {x0},{y1 + 20} {x0 + 8},{y1 + 17} {x0 + 8},{y1 + 23}",
                    "-draw", f"polygon {x1},{y1 + 20} {x1 - 8},{y1 + 17} {x1 - 8},{y1 + 23}",
                    "-font", self.font_latin, "-pointsize", 12,
                    "-draw", f"text {cx - 20},{y1 + 15} '160.00'",
                    "-stroke", BLUE_GREY, "-draw", f"line {cx + 35},{cy - 25} {cx + 35},{cy + 35}",
                    "-draw", f"line {cx + 5},{cy + 5} {cx + 65},{cy + 5}"]
        if n == 5:  # people connected
            nodes = [(cx - 80, cy + 30), (cx, cy - 45), (cx + 80, cy + 30), (cx, cy + 60)]
            d = ["-stroke", LINE_SOFT, "-strokewidth", 2]
            for i, a in enumerate(nodes):
                for b in nodes[i + 1:]:
                    d += ["-draw", f"line {a[0]},{a[1]} {b[0]},{b[1]}"]
            for i, (x, y) in enumerate(nodes):
                colour = ACCENT if i == 1 else (TEAL if i == 3 else BLUE_GREY)
                d += ["-fill", "#2e3134", "-stroke", colour, "-strokewidth", 3,
                      "-draw", f"circle {x},{y} {x + 20},{y}",
                      "-fill", colour, "-stroke", "none",
                      "-draw", f"circle {x},{y - 5} {x + 6},{y - 5}",
                      "-draw", f"ellipse {x},{y + 11} 10,6 180,360"]
            return d
        # n == 6: sheets with a title block
        d = []
        for i, stroke in enumerate([LINE_SOFT, BLUE_GREY, TEXT]):
            x0, y0 = cx - 90 + i * 16, cy - 70 + i * 14
            d += ["-fill", "#2e3134", "-stroke", stroke, "-strokewidth", 2,
                  "-draw", f"rectangle {x0},{y0} {x0 + 150},{y0 + 104}"]
        x0, y0 = cx - 58, cy - 42
        d += ["-fill", "none", "-stroke", LINE_SOFT, "-strokewidth", 1,
              "-draw", f"rectangle {x0 + 8},{y0 + 8} {x0 + 142},{y0 + 96}",
              "-fill", "#4a4538", "-stroke", ACCENT,
              "-draw", f"rectangle {x0 + 92},{y0 + 74} {x0 + 142},{y0 + 96}",
              "-fill", "none", "-stroke", TEXT, "-strokewidth", 2,
              "-draw", f"circle {x0 + 50},{y0 + 44} {x0 + 72},{y0 + 44}",
              "-draw", f"line {x0 + 20},{y0 + 44} {x0 + 80},{y0 + 44}"]
        return d

    def slides(self):
        w, _ = self.l.page
        _, y0, _, y1 = self.content_box()
        for n in range(1, 7):
            cx, cy = w - 150, (y0 + y1) // 2 + 4
            path = self.frame(f"slide{n}.png", self.slide_illustration(n, cx, cy))
            title = self.text_image(f"slide{n}_title.png", self.t[f"slide{n}.title"], self.font_bold, 20, TEXT)
            body = self.text_image(f"slide{n}_text.png", self.t[f"slide{n}.text"], self.font, 13, TEXT_SOFT, 4)
            mx = self.l.x(self.l["MARGIN_X"])
            ty = y0 + (y1 - y0) // 2 - 44
            self.put_text(path, title, mx, ty)
            # A short accent rule between title and text.
            convert(path, "-fill", ACCENT, "-draw", f"rectangle {mx},{ty + 34} {mx + 40},{ty + 36}", path)
            self.put_text(path, body, mx, ty + 46)
            self.save_bmp(path, f"slide{n}.bmp")

    def finish_background(self, name, ring, word):
        w, _ = self.l.page
        hh = self.l.y(self.l["HEADER_H"])
        fy = self.l.y(self.l["FOOTER_Y"])
        cx, cy = w - 120, hh + (fy - hh) // 2 + 10
        deco = ["-fill", "#2e3134", "-stroke", ring, "-strokewidth", 4,
                "-draw", f"circle {cx},{cy} {cx + 56},{cy}",
                "-fill", "none", "-stroke", TEXT, "-strokewidth", 7,
                "-draw", f"stroke-linejoin round stroke-linecap round polyline {cx - 26},{cy + 2} {cx - 8},{cy + 20} {cx + 28},{cy - 20}"]
        path = self.frame(f"{name}.png", deco)
        label = self.text_image(f"{name}_word.png", word, self.font, 13, TEXT_DIM)
        lw = int(subprocess.run([CONVERT, label, "-format", "%w", "info:"], check=True,
                                capture_output=True, text=True).stdout)
        self.put_text(path, label, cx - lw // 2, cy + 66)
        self.save_bmp(path, f"{name}.bmp")

    # ---- buttons -----------------------------------------------------------

    PRIMARY = {
        "normal": (ACCENT, ACCENT, "#1e1e1e", 0),
        "pressed": (ACCENT_DARK, ACCENT_DARK, "#1e1e1e", 1),
        "hover": (ACCENT_LIGHT, "#fff0b0", "#1e1e1e", 0),
        "disabled": ("#505356", "#5a5d60", "#8c9094", 0),
    }
    SECONDARY = {
        "normal": ("#464a4f", "#60656a", TEXT, 0),
        "pressed": ("#35383b", "#60656a", TEXT, 1),
        "hover": ("#52575c", ACCENT, TEXT, 0),
        "disabled": ("#3c3f42", "#4a4d50", "#7a7e82", 0),
    }

    def button(self, under, label, look, state, name):
        fill, border, colour, shift = look[state]
        bw, bh = self.l.button
        font = self.font_bold
        convert(under, "-fill", fill, "-stroke", border, "-strokewidth", 1,
                "-draw", f"roundrectangle 0.5,0.5 {bw - 1.5},{bh - 1.5} 3,3",
                "-stroke", "none", "-fill", colour, "-font", font, "-pointsize", 12,
                "-gravity", "center", "-annotate", f"+{shift}+{shift}", label, self.tmp(name + ".png"))
        self.save_bmp(self.tmp(name + ".png"), name + ".bmp")

    def buttons(self, page_png):
        bw, bh = self.l.button
        footer = self.tmp("under_footer.png")
        folder = self.tmp("under_folder.png")
        convert(page_png, "-crop", f"{bw}x{bh}+{self.l.x(self.l['BUTTON3_X'])}+{self.l.y(self.l['BUTTON_Y'])}",
                "+repage", footer)
        convert(page_png, "-crop",
                f"{bw}x{bh}+{self.l.x(self.l['BROWSE_X'])}+{self.l.y(self.l['FEATURE_FOLDER_Y'] - 1)}",
                "+repage", folder)
        sets = [
            ("options", "button.options", self.SECONDARY, footer, False),
            ("welcome_next", "button.next", self.PRIMARY, footer, False),
            ("browse", "button.browse", self.SECONDARY, folder, False),
            ("welcome_cancel", "button.cancel", self.SECONDARY, footer, False),
            ("back", "button.back", self.SECONDARY, footer, True),
            ("next", "button.next", self.PRIMARY, footer, True),
            ("cancel", "button.cancel", self.SECONDARY, footer, False),
            ("finish", "button.finish", self.PRIMARY, footer, False),
            ("install", "button.install", self.PRIMARY, footer, False),
        ]
        for name, key, look, under, disabled in sets:
            states = ["normal", "pressed", "hover"] + (["disabled"] if disabled else [])
            for state in states:
                self.button(under, self.t[key], look, state, f"{name}_{state}")

    # ---- icons -------------------------------------------------------------

    def icon(self, name, draw):
        """Draws at 8 times the size and scales down, for smooth edges."""
        images = []
        for size in (32, 16):
            big = size * 8
            png = self.tmp(f"{name}_{size}.png")
            convert("-size", f"{big}x{big}", "xc:none", *draw(big, size), "-resize", f"{size}x{size}", png)
            images.append(png)
        convert(*images, os.path.join(self.out, name + ".ico"))

    @staticmethod
    def product_icon(big, size):
        s = big / 2.0
        cube = Artwork.iso_cube(s, s + big * 0.04, big * 0.30, ACCENT_DARK, big * 0.012,
                                ACCENT, "#c99a00", "#8f6d00")
        return ["-fill", "#2b2e31", "-stroke", "#4f5459", "-strokewidth", big * 0.02,
                "-draw", f"roundrectangle {big * 0.04},{big * 0.04} {big * 0.96},{big * 0.96} {big * 0.16},{big * 0.16}",
                *cube]

    @staticmethod
    def check_box(chosen):
        def draw(big, size):
            box = 20 if size == 32 else 12
            a = (size - box) / 2 * 8
            b = a + box * 8
            args = ["-stroke", ACCENT if chosen else TEXT, "-strokewidth", big * 0.06,
                    "-fill", ACCENT if chosen else "#2a2d30",
                    "-draw", f"roundrectangle {a},{a} {b},{b} {big * 0.06},{big * 0.06}"]
            if chosen:
                m = box * 8
                args += ["-fill", "none", "-stroke", "#1e1e1e", "-strokewidth", big * 0.09,
                         "-draw", f"polyline {a + m * 0.22},{a + m * 0.52} {a + m * 0.42},{a + m * 0.72} {a + m * 0.78},{a + m * 0.30}"]
            return args
        return draw

    @staticmethod
    def radio(chosen):
        def draw(big, size):
            r = (10 if size == 32 else 6) * 8
            c = big / 2.0
            args = ["-stroke", ACCENT if chosen else TEXT, "-strokewidth", big * 0.06,
                    "-fill", "#2a2d30", "-draw", f"circle {c},{c} {c + r},{c}"]
            if chosen:
                args += ["-stroke", "none", "-fill", ACCENT, "-draw", f"circle {c},{c} {c + r * 0.5},{c}"]
            return args
        return draw

    # ---- all ---------------------------------------------------------------

    def make_all(self):
        page = self.page_background()
        self.welcome_background()
        self.license_background()
        self.slides()
        self.finish_background("finish_install", ACCENT, self.t["finish.install"])
        self.finish_background("finish_maintenance", TEAL, self.t["finish.maintenance"])
        self.buttons(page)
        self.icon("product", self.product_icon)
        self.icon("feature_chosen", self.check_box(True))
        self.icon("feature_not_chosen", self.check_box(False))
        self.icon("choice_not_chosen", self.radio(False))
        self.icon("choice_chosen", self.radio(True))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--layout", required=True)
    parser.add_argument("--page-texts", required=True)
    parser.add_argument("--texts", required=True)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    layout = Layout(read_defines(args.layout), read_defines(args.page_texts))
    texts = read_texts(args.texts)
    os.makedirs(args.out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        Artwork(layout, texts, args.out, work).make_all()
    with open(os.path.join(args.out, "artwork.stamp"), "w") as f:
        f.write("generated\n")


if __name__ == "__main__":
    main()
