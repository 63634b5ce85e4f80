#!/usr/bin/python3
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a small music file with tags for the naming tests.

    tag-music.py FILE key=value...

FILE ending in .mp3 gets silent MPEG frames and an ID3v2 tag, .flac a
stream header and Vorbis comments. Keys: artist, album, title, track, date,
genre. Exit status 77 when mutagen is missing.
"""
import struct
import sys

try:
    from mutagen.flac import FLAC
    from mutagen.id3 import ID3, TALB, TCON, TDRC, TIT2, TPE1, TRCK
except ImportError:
    sys.exit(77)

path, pairs = sys.argv[1], dict(a.split("=", 1) for a in sys.argv[2:])

if path.endswith(".mp3"):
    # MPEG-1 layer III, 128 kbit/s, 44.1 kHz: 417 bytes a frame.
    with open(path, "wb") as f:
        f.write((b"\xff\xfb\x90\x64" + bytes(413)) * 20)
    frames = {"artist": TPE1, "album": TALB, "title": TIT2, "track": TRCK,
              "date": TDRC, "genre": TCON}
    tag = ID3()
    for key, value in pairs.items():
        tag.add(frames[key](encoding=3, text=value))
    tag.save(path)
elif path.endswith(".flac"):
    # STREAMINFO only: 44.1 kHz, 2 channels, 16 bits, no samples.
    packed = (44100 << 44) | (1 << 41) | (15 << 36)
    info = struct.pack(">HH", 4096, 4096) + bytes(6) + packed.to_bytes(8, "big") + bytes(16)
    with open(path, "wb") as f:
        f.write(b"fLaC" + bytes([0x80, 0, 0, len(info)]) + info)
    audio = FLAC(path)
    for key, value in pairs.items():
        audio[key] = value
    audio.save()
else:
    sys.exit("tag-music.py: .mp3 or .flac, not " + path)
