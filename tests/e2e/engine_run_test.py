#!/usr/bin/python3
"""The engine bundle against harkwell-server on loopback, each test on its own 127.0.0.x address
with its own temporary home folder.

    engine_run_test.py ENGINE SERVER INSPECT SAMPLE_LIBRARY_SCRIPT
"""
import json
import os
import shutil
import signal
import socket
import sqlite3
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest

ENGINE, SERVER, INSPECT, MAKE_SAMPLE = sys.argv[1:5]
del sys.argv[1:5]
ENGINE_SIGNATURE = b"#BRk"
_next_address = [20 + os.getpid() % 200]


def next_address():
    _next_address[0] = _next_address[0] % 250 + 1
    return f"127.0.0.{_next_address[0] + 1}"


def id3v23_file(path, artist, title, album="Sample Album", genre="Rock"):
    """A tiny file holding only an ID3v2.3 tag: enough for the scan and the query."""
    def frame(fid, text):
        data = b"\0" + text.encode("latin-1")
        return fid + struct.pack(">I", len(data)) + b"\0\0" + data
    frames = (frame(b"TIT2", title) + frame(b"TPE1", artist) + frame(b"TALB", album) +
              frame(b"TCON", genre))
    size = len(frames)
    header = b"ID3\x03\x00\x00" + bytes([(size >> 21) & 127, (size >> 14) & 127, (size >> 7) & 127, size & 127])
    with open(path, "wb") as f:
        f.write(header + frames)


class EngineRun(unittest.TestCase):
    sample = None

    @classmethod
    def setUpClass(cls):
        cls.sample_dir = tempfile.mkdtemp(prefix="harkwell-e2e-sample-")
        subprocess.run([MAKE_SAMPLE, cls.sample_dir], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.sample_dir, ignore_errors=True)

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="harkwell-e2e-")
        self.addCleanup(shutil.rmtree, self.work, True)
        self.home = os.path.join(self.work, "home")
        self.runtime = os.path.join(self.work, "run")
        os.makedirs(os.path.join(self.home, "Music"))
        os.makedirs(self.runtime, mode=0o700)
        self.address = next_address()
        self.lookup = f"{self.address}:8080"
        self.db = os.path.join(self.work, "server.db")
        self.server = None

    def tearDown(self):
        self.stop_server()

    # --- vocabulary

    def env(self):
        env = dict(os.environ, HOME=self.home, XDG_RUNTIME_DIR=self.runtime,
                   HARKWELL_LOOKUP_HOST=self.lookup)
        env.pop("DISPLAY", None)
        return env

    def start_server(self, policy="new"):
        self.server_log = open(os.path.join(self.work, "server.log"), "w+")
        self.server = subprocess.Popen([SERVER, "--lookup", self.lookup, "--listen", self.address,
                                        "--db", self.db, "--policy", policy],
                                       stderr=self.server_log)
        for _ in range(100):
            if "ready" in self.server_text():
                return
            time.sleep(0.05)
        self.fail("server did not start: " + self.server_text())

    def stop_server(self):
        if self.server is not None:
            self.server.terminate()
            self.server.wait(10)
            self.server = None
            self.server_log.close()

    def server_text(self):
        with open(self.server_log.name) as f:
            return f.read()

    def stored(self):
        out = subprocess.run([SERVER, "--list", "--db", self.db], capture_output=True, check=True)
        return [json.loads(line) for line in out.stdout.decode().splitlines()]

    def set_search_path(self, folder):
        prefs = os.path.join(self.home, "Library", "Preferences")
        os.makedirs(prefs, exist_ok=True)
        with open(os.path.join(prefs, "com.ashgrove.zomelo.harkwell.engine.json"), "w") as f:
            json.dump({"SearchPath": folder}, f)

    def start_engine(self):
        return subprocess.Popen([ENGINE], env=self.env(), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def run_engine(self, timeout=120):
        engine = self.start_engine()
        self.assertEqual(engine.wait(timeout), 0)

    def log(self):
        path = os.path.join(self.home, "Library", "Logs", "Harkwell.log")
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8", errors="replace") as f:
            return [line.rstrip("\n")[26:] for line in f]

    def cache(self):
        path = os.path.join(self.home, "Library", "Caches", "com.ashgrove.zomelo.harkwell.cache")
        with open(path, "rb") as f:
            return f.read()

    def send_message(self, event_class, event_id):
        path = os.path.join(self.runtime, "harkwell", ENGINE_SIGNATURE.hex() + ".sock")
        with socket.socket(socket.AF_UNIX) as s:
            s.connect(path)
            s.sendall(b"HWM1" + event_class + event_id + b"\0\0\0\0")

    def wait_for(self, predicate, seconds=20):
        end = time.time() + seconds
        while time.time() < end:
            if predicate():
                return True
            time.sleep(0.05)
        return predicate()

    # --- tests

    def test_empty_folder_looks_up_but_asks_nothing(self):
        self.start_server()
        self.run_engine()
        self.assertEqual(self.log(), ["Harkwell started",
                                      f"looking for files at {self.home}/Music", "Harkwell done"])
        self.assertIn("advertising", self.server_text())
        self.assertNotIn("query", self.server_text())

    def test_sample_library_is_analysed_stored_and_not_asked_again(self):
        music = os.path.join(self.home, "Music")
        for name in os.listdir(self.sample_dir):
            shutil.copy(os.path.join(self.sample_dir, name), music)
        self.start_server()
        self.run_engine()
        log = self.log()
        analyzed = sorted(line for line in log if line.startswith("analyzed: "))
        self.assertEqual(analyzed, ["analyzed: Warzone 2100 Project - Second Movement",
                                    "analyzed: Warzone 2100 Project - Third Light",
                                    "analyzed: Warzone 2100 Project - Track One Theme"])
        self.assertEqual(log[-1], "Harkwell done")
        stored = self.stored()
        self.assertEqual(sorted(r["title"] for r in stored),
                         ["Second Movement", "Third Light", "Track One Theme"])
        # Byte for byte what harkwell-inspect writes for the same file.
        expected = os.path.join(self.work, "expected.hws")
        subprocess.run([INSPECT, "fingerprint", os.path.join(music, "01 Trackone.mp3"),
                        "--record", expected], check=True)
        with open(expected, "rb") as f:
            expected_bytes = f.read()
        with sqlite3.connect(self.db) as db:
            row = db.execute("SELECT record FROM uploads WHERE title = 'Track One Theme'").fetchone()
        self.assertEqual(bytes(row[0]), expected_bytes)
        self.assertEqual(len(self.cache()), 8 * 5)  # every asked ID, wanted or not
        queries = self.server_text().count("query of")
        self.run_engine()
        self.assertEqual(self.server_text().count("query of"), queries)  # a second run asks nothing
        self.assertEqual(len(self.stored()), 3)

    def test_batches_of_128(self):
        for count, queries in ((128, ["query of 128 IDs"]), (129, ["query of 128 IDs", "query of 1 IDs"])):
            with self.subTest(count=count):
                self.setUp()
                for i in range(count):
                    id3v23_file(os.path.join(self.home, "Music", f"t{i}.mp3"), "Band", f"Song {chr(65 + i % 26)}{chr(65 + i // 26)}")
                self.start_server(policy="none")
                self.run_engine()
                self.assertEqual([l for l in self.server_text().splitlines() if "query of" in l],
                                 [f"harkwell-server: {q}" for q in queries])
                self.assertEqual(len(self.cache()), 8 * count)  # all cached, no job ran
                self.assertFalse(any(l.startswith("analyzed") for l in self.log()))
                self.assertEqual(self.log()[-1], "Harkwell done")
                self.stop_server()

    def test_sigterm_during_the_run_stops_it_cleanly(self):
        id3v23_file(os.path.join(self.home, "Music", "a.mp3"), "Band", "Song")
        self.start_server()
        engine = self.start_engine()
        self.assertTrue(self.wait_for(lambda: any("looking for files" in l for l in self.log())))
        engine.send_signal(signal.SIGTERM)
        self.assertEqual(engine.wait(20), 0)
        self.assertEqual(self.log()[-1], "Harkwell stopped")
        self.assertEqual(len(self.cache()) % 8, 0)

    def test_a_second_engine_stops_at_once(self):
        self.start_server()
        first = self.start_engine()
        self.assertTrue(self.wait_for(lambda: any("looking for files" in l for l in self.log())))
        start = time.time()
        second = self.start_engine()
        self.assertEqual(second.wait(20), 0)
        self.assertLess(time.time() - start, 5)
        self.assertEqual(self.log()[-2:], ["Harkwell started", "Harkwell stopped"])
        first.send_signal(signal.SIGTERM)
        self.assertEqual(first.wait(20), 0)

    def test_a_rescan_message_restarts_the_walk_with_the_new_folder(self):
        other = os.path.join(self.work, "Other")
        os.makedirs(other)
        self.start_server()
        engine = self.start_engine()
        socket_path = os.path.join(self.runtime, "harkwell", ENGINE_SIGNATURE.hex() + ".sock")
        self.assertTrue(self.wait_for(lambda: os.path.exists(socket_path) and
                                      any("looking for files" in l for l in self.log())))
        self.set_search_path(other)
        self.send_message(b"BREK", b"HUP ")
        self.assertEqual(engine.wait(60), 0)
        self.assertEqual(self.log(), ["Harkwell started",
                                      f"looking for files at {self.home}/Music",
                                      f"looking for files at {other}", "Harkwell done"])

    def test_failures_of_the_servers_end_the_run_as_stopped(self):
        id3v23_file(os.path.join(self.home, "Music", "a.mp3"), "Band", "Song")

        def serve(port, answer):
            listener = socket.socket()
            listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            listener.bind((self.address, port))
            listener.listen(4)

            def loop():
                try:
                    conn, _ = listener.accept()
                    conn.recv(4096)
                    conn.sendall(answer)
                    conn.close()
                except OSError:
                    pass
            threading.Thread(target=loop, daemon=True).start()
            return listener

        cases = {
            "lookup answers 404": (b"HTTP/1.1 404 Not Found\r\n\r\nno", None),
            "server closes early": (f"HTTP/1.1 200 OK\r\n\r\n{self.address}".encode(), b""),
            "malformed reply": (f"HTTP/1.1 200 OK\r\n\r\n{self.address}".encode(), b"QB\x01\x01\x00"),
        }
        for name, (lookup_answer, query_answer) in cases.items():
            with self.subTest(name):
                listeners = [serve(8080, lookup_answer)]
                if query_answer is not None:
                    listeners.append(serve(5748, query_answer))
                self.run_engine()
                self.assertEqual(self.log()[-1], "Harkwell stopped", name)
                for listener in listeners:
                    listener.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
