#!/usr/bin/python3
"""Tag files written by other tools (ffmpeg, id3v2, mutagen, AtomicParsley) read back through
harkwell-inspect tags: each case gives the fields our readers must return."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

from mutagen import id3, mp4

INSPECT = sys.argv.pop(1) if len(sys.argv) > 1 else "harkwell-inspect"

JAPANESE, GREEK, EMOJI = "東京事変", "Ελληνικά", "Smile 😀"


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def tone(path, *extra):
    """A one-second tone in `path`, its container chosen from the name or from `extra`."""
    run("ffmpeg", "-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=1",
        *extra, path)


def inspect(path):
    output = subprocess.run([INSPECT, "tags", path], capture_output=True, check=False).stdout
    return json.loads(output.decode("utf-8"))


class ToolWrittenFiles(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory(prefix="harkwell-tags-")
        self.addCleanup(self.dir.cleanup)

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def assertFields(self, path, **expected):
        got = inspect(path)
        for key, value in expected.items():
            self.assertEqual(got[key], value, f"{key} of {os.path.basename(path)}: {got}")

    def test_ffmpeg_id3v23(self):
        path = self.path("a.mp3")
        tone(path, "-id3v2_version", "3", "-metadata", "title=Café Noir", "-metadata",
             f"artist={GREEK}", "-metadata", f"album={JAPANESE}", "-metadata", "genre=Rock",
             "-metadata", "date=1999", "-metadata", "track=5/12", "-metadata", "composer=Ann")
        self.assertFields(path, result=0, kind="ID3v2.3", title="Café Noir", artist=GREEK,
                          album=JAPANESE, genre="Rock", year=1999, trackNumber=5, trackCount=12,
                          composer="Ann")

    def test_ffmpeg_id3v1_trailer(self):
        path = self.path("b.mp3")
        tone(path, "-write_id3v2", "0", "-write_id3v1", "1", "-metadata", "title=Old Song",
             "-metadata", "artist=Old Band", "-metadata", "album=Old Album", "-metadata",
             "date=1987", "-metadata", "track=7", "-metadata", "genre=Rock")
        self.assertFields(path, result=0, kind="ID3v1", title="Old Song", artist="Old Band",
                          album="Old Album", year=1987, trackNumber=7, genre="Rock")

    def test_ffmpeg_ipod_mp4(self):
        path = self.path("c.m4a")
        tone(path, "-c:a", "aac", "-f", "ipod", "-metadata", f"title={EMOJI}", "-metadata",
             f"artist={GREEK}", "-metadata", f"album={JAPANESE}", "-metadata", "date=2004",
             "-metadata", "track=3/9", "-metadata", "comment=Fine", "-metadata", "composer=Bo")
        self.assertFields(path, result=0, kind="QT", title=EMOJI, artist=GREEK, album=JAPANESE,
                          year=2004, trackNumber=3, trackCount=9, comment="Fine", composer="Bo")

    def test_id3v2_command(self):
        path = self.path("d.mp3")
        tone(path, "-write_id3v2", "0")
        run("id3v2", "-t", "Title", "-a", "Artist", "-A", "Album", "-y", "2001", "-T", "4/10",
            "-g", "17", "-c", "A comment", path)
        self.assertFields(path, result=0, kind="ID3v2.3", title="Title", artist="Artist",
                          album="Album", year=2001, trackNumber=4, trackCount=10, genre="Rock")

    def test_mutagen_id3v23_on_aiff(self):
        path = self.path("e.aiff")
        tone(path, "-write_id3v2", "0")
        tags = id3.ID3()
        tags.add(id3.TIT2(encoding=1, text=JAPANESE))
        tags.add(id3.TPE1(encoding=1, text=EMOJI))
        tags.add(id3.TALB(encoding=0, text="Caf\u00e9"))
        tags.add(id3.TCON(encoding=0, text="(13)"))
        tags.add(id3.TRCK(encoding=0, text="2/3"))
        tags.add(id3.COMM(encoding=1, lang="eng", desc="", text="Plain comment"))
        tags.add(id3.COMM(encoding=0, lang="eng", desc="iTunes_CDDB_IDs", text="11+ABC+DEF"))
        tags.add(id3.COMM(encoding=0, lang="eng", desc="other", text="not ours"))
        tags.save(path, v2_version=3)
        with open(path, "rb") as f:
            self.assertEqual(f.read(4), b"ID3\x03")
        self.assertFields(path, result=0, kind="ID3v2.3", title=JAPANESE, artist=EMOJI,
                          album="Café", genre="Pop", trackNumber=2, trackCount=3,
                          comment="Plain comment", cddbIds="11+ABC+DEF")

    def test_mutagen_mp4_items(self):
        path = self.path("f.m4a")
        tone(path, "-c:a", "aac", "-f", "ipod")
        tags = mp4.MP4(path)
        tags["\xa9nam"] = [GREEK]
        tags["\xa9ART"] = ["Artist"]
        tags["\xa9alb"] = [JAPANESE]
        tags["\xa9day"] = ["2004-05-03T07:00:00Z"]
        tags["trkn"] = [(5, 12)]
        tags["----:com.apple.iTunes:iTunes_CDDB_IDs"] = [b"12+AA+BB"]
        tags["----:com.apple.iTunes:Other"] = [b"ignored"]
        tags.save()
        self.assertFields(path, result=0, kind="QT", title=GREEK, artist="Artist",
                          album=JAPANESE, year=2004, trackNumber=5, trackCount=12,
                          cddbIds="12+AA+BB")

    def test_atomicparsley(self):
        path = self.path("g.m4a")
        tone(path, "-c:a", "aac", "-f", "ipod")
        run("AtomicParsley", path, "--title", EMOJI, "--artist", "AP Artist", "--album",
            "AP Album", "--genre", "Rock", "--tracknum", "2/8", "--year", "1999", "--composer",
            "Cee", "--overWrite")
        self.assertFields(path, result=0, kind="QT", title=EMOJI, artist="AP Artist",
                          album="AP Album", genre="Rock", trackNumber=2, trackCount=8,
                          year=1999, composer="Cee")


if __name__ == "__main__":
    unittest.main(verbosity=2)
