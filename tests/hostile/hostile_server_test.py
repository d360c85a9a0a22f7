#!/usr/bin/env python3
"""The real client, under an X server and driven by its keyboard, against a game server that
misbehaves: a 50 MB line without a break, a telnet subnegotiation that never ends, a storm of
telnet requests while the server reads nothing, random bytes, closes in the middle of a prompt
and of a telnet sequence, and a slow drip. After each, the client must still be running, a
command typed into it must reach the server, and its resident memory must stay within a bound.

Usage: hostile_server_test.py CLIENT   (run it under xvfb-run)
"""
import os
import random
import socket
import subprocess
import sys
import tempfile
import time

CLIENT = os.path.abspath(sys.argv[1])
# Resident memory hardly shrinks once grown (least of all under the sanitizers), so it is read as the
# peak so far: one scenario may raise it by SCENARIO_LIMIT_MB at most, the whole run by RUN_LIMIT_MB
# over what the client held once logged on. An unbounded queue or buffer passes either in seconds
# (the storm alone would queue 120 MB of answers).
SCENARIO_LIMIT_MB = 100
RUN_LIMIT_MB = 220
MB = 1 << 20


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, capture_output=True)


def window(name, timeout=20.0):
    """The id of the first mapped window whose title contains name."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.1)
    raise AssertionError(f"no window named {name!r}")


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    raise AssertionError("client gone")


class Peer:
    """One accepted connection from the client, with what it sent so far."""

    def __init__(self, conn):
        self.conn = conn
        self.received = b""

    def send(self, data):
        self.conn.sendall(data)

    def expect(self, wanted, timeout=20.0):
        deadline = time.monotonic() + timeout
        while wanted not in self.received:
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError(f"never received {wanted!r}; got {self.received[-200:]!r}")
            self.conn.settimeout(left)
            try:
                chunk = self.conn.recv(65536)
            except socket.timeout:
                continue
            if not chunk:
                raise AssertionError(f"closed before {wanted!r}")
            self.received += chunk

    def close(self):
        self.conn.close()


class Client:
    def __init__(self, folder):
        env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"), QT_QPA_PLATFORM="xcb",
                   ASAN_OPTIONS="quarantine_size_mb=16:detect_leaks=0")
        self.process = subprocess.Popen([CLIENT], cwd=folder, env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.main = window("Orv2Term - Version")

    def alive(self):
        return self.process.poll() is None

    def keys(self, *keys):
        xdotool("windowfocus", "--sync", self.main)
        xdotool("key", "--clearmodifiers", *keys)

    def log_on(self, listener):
        """Connect > Log On To Orv... by its mnemonics, the port and an account typed, Enter."""
        port = listener.getsockname()[1]
        self.keys("alt+c")
        time.sleep(0.3)
        xdotool("key", "l")
        dialog = window("Log On")
        xdotool("windowfocus", "--sync", dialog)
        xdotool("type", "pw")                      # the focus starts in the password box
        xdotool("key", "shift+Tab")
        xdotool("type", "acct")
        xdotool("key", "shift+Tab", "shift+Tab", "ctrl+a")
        xdotool("type", str(port))
        xdotool("key", "Return")
        listener.settimeout(20)
        peer = Peer(listener.accept()[0])
        peer.send(b"login: ")
        peer.expect(b"acct\n")
        peer.send(b"Password: ")
        peer.expect(b"pw\n")
        peer.send(b"Welcome to Orvanta DataSpace.\r\n")
        peer.expect(b"spynet notice\n")
        peer.send(b"OK - SpyNet Notice is now ON.\r\n")
        peer.expect(b"qw\n")
        peer.send(b">qw\r\nAlpha Beta\r\n2 players in Orvanta\r\n")
        time.sleep(0.5)  # the list is built and the input pane given back
        return peer

    def type_command(self, peer, command):
        """Types a command and Enter into the input pane; returns the seconds until it arrived."""
        peer.received = b""
        start = time.monotonic()
        self.keys(*list(command), "Return")
        peer.expect(command.encode() + b"\n", timeout=30)
        return time.monotonic() - start


def fifty_mb_line(peer):
    block = b"x" * MB
    for _ in range(50):
        peer.send(block)
    peer.send(b"\r\n")


def endless_subnegotiation(peer):
    peer.send(b"\xff\xfa\x18")
    block = bytes(random.Random(1).choice(range(255)) for _ in range(4096)) * 256  # no IAC in it
    for _ in range(10):
        peer.send(block)


def request_storm_while_not_reading(peer):
    """IAC DO NAWS over and over, reading nothing: the client's answers must not pile up."""
    peer.conn.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
    storm = b"\xff\xfd\x1f" * (MB // 3)
    peer.conn.settimeout(30)
    try:
        for _ in range(30):
            peer.send(storm)
    except (BrokenPipeError, ConnectionResetError, socket.timeout):
        pass  # the client gave the link up: what it should do


def random_bytes(peer):
    peer.send(random.Random(7).randbytes(32 * MB))


def close_in_prompt(peer):
    peer.send(b"Password")


def close_in_telnet_sequence(peer):
    peer.send(b"text\r\n\xff\xfa\x18\x01")


def slow_drip(peer):
    for byte in b"A line that arrives one byte at a time.\r\n" * 2:
        peer.send(bytes([byte]))
        time.sleep(0.02)


# Scenario, and whether the server closes the link after it.
# The storm first, while the client's memory is at its smallest.
SCENARIOS = [
    (request_storm_while_not_reading, True),
    (fifty_mb_line, False),
    (endless_subnegotiation, False),
    (random_bytes, False),
    (close_in_prompt, True),
    (close_in_telnet_sequence, True),
    (slow_drip, False),
]


def main():
    failures = []
    with tempfile.TemporaryDirectory() as folder, socket.socket() as listener:
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", 0))
        listener.listen(4)
        client = Client(folder)
        peer = client.log_on(listener)
        baseline = before = rss_mb(client.process.pid)
        print(f"logged on, resident {baseline:.0f} MB")
        for scenario, closes in SCENARIOS:
            name = scenario.__name__
            start = time.monotonic()
            try:
                scenario(peer)
                if closes:
                    peer.close()
                    time.sleep(0.5)
                    peer = client.log_on(listener)
                answer = client.type_command(peer, "look")
                now = rss_mb(client.process.pid)
                print(f"{name}: command through after {answer:.2f} s, resident +{now - before:.0f} MB "
                      f"(+{now - baseline:.0f} MB in all), {time.monotonic() - start:.1f} s")
                if now - before > SCENARIO_LIMIT_MB or now - baseline > RUN_LIMIT_MB:
                    failures.append(f"{name}: resident memory grew {now - before:.0f} MB, "
                                    f"{now - baseline:.0f} MB since the log-on")
                before = now
            except (AssertionError, OSError) as error:
                failures.append(f"{name}: {error}")
                if not client.alive():
                    break
                peer.close()
                peer = client.log_on(listener)
            if not client.alive():
                failures.append(f"{name}: the client died")
                break
        if client.alive():
            client.process.terminate()
        stderr = client.process.communicate(timeout=20)[1].decode(errors="replace")
        if "ERROR: AddressSanitizer" in stderr or "runtime error" in stderr:
            failures.append("sanitizer report:\n" + stderr[-3000:])
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
