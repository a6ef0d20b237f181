#!/usr/bin/env python3
"""Draws the 32 x 32 toolbar pictures of the food diary's main window (PNG, RGBA).

Run from this folder: python3 make_icons.py. Shapes are drawn at 4x and averaged down, so edges
come out smooth without any imaging library.
"""
import math
import struct
import zlib

S = 4            # supersampling
N = 32 * S


class Canvas:
    def __init__(self):
        self.px = [[(0, 0, 0, 0)] * N for _ in range(N)]

    def _put(self, x, y, c):
        if 0 <= x < N and 0 <= y < N:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(int(y0 * S), int(y1 * S)):
            for x in range(int(x0 * S), int(x1 * S)):
                self._put(x, y, c)

    def poly(self, pts, c):
        pts = [(x * S, y * S) for x, y in pts]
        ys = [p[1] for p in pts]
        for y in range(int(min(ys)), int(math.ceil(max(ys)))):
            yc = y + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for i in range(0, len(xs) - 1, 2):
                for x in range(int(math.ceil(xs[i] - 0.5)), int(math.ceil(xs[i + 1] - 0.5))):
                    self._put(x, y, c)

    def circle(self, cx, cy, r, c, inner=0):
        for y in range(int((cy - r) * S), int((cy + r) * S) + 1):
            for x in range(int((cx - r) * S), int((cx + r) * S) + 1):
                d = math.hypot((x + 0.5) / S - cx, (y + 0.5) / S - cy)
                if inner <= d <= r:
                    self._put(x, y, c)

    def line(self, x0, y0, x1, y1, w, c):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1
        nx, ny = -dy / length * w / 2, dx / length * w / 2
        self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], c)

    def frame(self, x0, y0, x1, y1, w, c):
        self.rect(x0, y0, x1, y0 + w, c)
        self.rect(x0, y1 - w, x1, y1, c)
        self.rect(x0, y0, x0 + w, y1, c)
        self.rect(x1 - w, y0, x1, y1, c)

    def png(self, path):
        rows = []
        for y in range(32):
            row = bytearray([0])
            for x in range(32):
                acc = [0, 0, 0, 0]
                for sy in range(S):
                    for sx in range(S):
                        r, g, b, a = self.px[y * S + sy][x * S + sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                if acc[3]:
                    row += bytes([acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], acc[3] // (S * S)])
                else:
                    row += bytes(4)
            rows.append(bytes(row))
        raw = b"".join(rows)

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", 32, 32, 8, 6, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
            f.write(chunk(b"IEND", b""))


INK = (40, 40, 48, 255)
PAPER = (252, 252, 248, 255)
BLUE = (44, 96, 180, 255)
LIGHTBLUE = (150, 190, 235, 255)
RED = (200, 40, 40, 255)
GREEN = (40, 150, 60, 255)
YELLOW = (240, 200, 70, 255)
FOLDER = (230, 180, 70, 255)
FOLDERDARK = (190, 140, 40, 255)
GREY = (150, 150, 150, 255)
DARKGREY = (90, 90, 95, 255)


def page(c, x0=7, y0=3, x1=25, y1=29):
    c.poly([(x0, y0), (x1 - 6, y0), (x1, y0 + 6), (x1, y1), (x0, y1)], INK)
    c.poly([(x0 + 1.5, y0 + 1.5), (x1 - 6.6, y0 + 1.5), (x1 - 1.5, y0 + 6.6), (x1 - 1.5, y1 - 1.5),
            (x0 + 1.5, y1 - 1.5)], PAPER)
    c.poly([(x1 - 6, y0), (x1, y0 + 6), (x1 - 6, y0 + 6)], GREY)


def folder(c, open_=False):
    c.poly([(3, 8), (12, 8), (14, 11), (29, 11), (29, 27), (3, 27)], FOLDERDARK)
    if open_:
        c.poly([(7, 15), (31, 15), (27, 27), (3, 27)], FOLDER)
    else:
        c.rect(3, 13, 29, 27, FOLDER)


def new_day(c):
    page(c)
    for y in (13, 17, 21):
        c.rect(11, y, 21, y + 1.5, LIGHTBLUE)


def open_day(c):
    folder(c, True)


def save_day(c):
    c.poly([(4, 4), (25, 4), (28, 7), (28, 28), (4, 28)], BLUE)
    c.rect(9, 4, 23, 13, PAPER)
    c.rect(19, 6, 22, 11, BLUE)
    c.rect(8, 18, 24, 28, (220, 225, 235, 255))
    c.rect(10, 21, 22, 22.5, GREY)
    c.rect(10, 24, 22, 25.5, GREY)


def print_day(c):
    c.rect(9, 4, 23, 13, PAPER)
    c.frame(9, 4, 23, 13, 1.2, INK)
    c.poly([(3, 12), (29, 12), (29, 23), (3, 23)], DARKGREY)
    c.rect(9, 19, 23, 29, PAPER)
    c.frame(9, 19, 23, 29, 1.2, INK)
    c.circle(25, 15.5, 1.3, GREEN)
    c.rect(11, 23, 21, 24.2, GREY)
    c.rect(11, 26, 19, 27.2, GREY)


def delete_food(c):
    c.line(7, 7, 25, 25, 5, RED)
    c.line(25, 7, 7, 25, 5, RED)


def find_food(c):
    c.circle(13, 13, 9, INK, inner=6.5)
    c.circle(13, 13, 6.5, (225, 238, 250, 255))
    c.line(19.5, 19.5, 28, 28, 4.5, INK)


def more_search(c):
    c.circle(10, 17, 7, INK, inner=5)
    c.circle(22, 17, 7, INK, inner=5)
    c.circle(10, 17, 5, LIGHTBLUE)
    c.circle(22, 17, 5, LIGHTBLUE)
    c.rect(13, 12, 19, 16, INK)
    c.rect(7, 7, 12, 11, INK)
    c.rect(20, 7, 25, 11, INK)


def add_personal(c):
    page(c, 4, 3, 21, 28)
    c.rect(18, 20, 30, 24, GREEN)
    c.rect(22, 16, 26, 28, GREEN)


def open_group(c):
    folder(c, True)
    c.circle(20, 21, 4.5, GREEN)


def show_personal(c):
    c.circle(16, 10, 6, BLUE)
    c.poly([(5, 29), (7, 20), (12, 17), (20, 17), (25, 20), (27, 29)], BLUE)


def clear_all(c):
    for i, x in enumerate((4, 10, 16)):
        page(c, x, 4 + i * 2, x + 12, 20 + i * 2)
    c.line(14, 18, 28, 30, 3.5, RED)
    c.line(28, 18, 14, 30, 3.5, RED)


def tray(c):
    c.rect(3, 22, 29, 28, DARKGREY)
    c.rect(22, 24, 27, 26, GREEN)
    c.poly([(16, 19), (9, 11), (13.5, 11), (13.5, 3), (18.5, 3), (18.5, 11), (23, 11)], BLUE)


def goals(c):
    c.circle(16, 16, 13, RED)
    c.circle(16, 16, 10, PAPER)
    c.circle(16, 16, 7, RED)
    c.circle(16, 16, 4, PAPER)
    c.circle(16, 16, 2, RED)


def metric(c):
    c.poly([(2, 20), (24, 4), (30, 12), (8, 28)], YELLOW)
    for i in range(8):
        x = 5 + i * 2.6
        y = 18 - i * 1.9
        c.line(x, y, x + 1.6 * (1.5 if i % 2 == 0 else 0.9), y + 2.2 * (1.5 if i % 2 == 0 else 0.9), 1, INK)


def exit_program(c):
    c.rect(6, 3, 22, 29, (120, 80, 50, 255))
    c.poly([(6, 3), (17, 6), (17, 29), (6, 29)], (160, 110, 70, 255))
    c.circle(14.5, 17, 1.4, YELLOW)
    c.poly([(22, 14), (27, 14), (27, 10), (31, 16), (27, 22), (27, 18), (22, 18)], GREEN)


def program(c):
    # The program's own icon: an apple with a leaf.
    c.circle(11.5, 18, 10, RED)
    c.circle(20.5, 18, 10, RED)
    c.circle(16, 23, 8, RED)
    c.circle(12, 14, 3, (240, 120, 110, 255))
    c.line(16, 9, 17.5, 3, 2, (120, 80, 50, 255))
    c.poly([(18, 7), (23, 2.5), (28, 4), (23, 8.5)], GREEN)


ICONS = {
    "newday": new_day, "openday": open_day, "saveday": save_day, "printday": print_day,
    "deletefood": delete_food, "findfood": find_food, "moresearch": more_search,
    "addpersonal": add_personal, "opengroup": open_group, "showpersonal": show_personal,
    "clearall": clear_all, "tray": tray, "goals": goals, "metric": metric,
    "exit": exit_program, "program": program,
}

if __name__ == "__main__":
    for name, draw in ICONS.items():
        c = Canvas()
        draw(c)
        c.png(name + ".png")
