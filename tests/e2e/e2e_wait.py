"""Waiting in the end-to-end tests: for a state of the program, never for a fixed time. A wait ends as soon as
its state arrives; one that runs out fails, naming what it waited for and what it saw last."""
import time

# Bounds, not delays. They are wide because the first start on a fresh machine builds the font caches, and two
# cores may be shared with a build or a fuzzer.
START_SECONDS = 90
WAIT_SECONDS = 30
POLL_SECONDS = 0.05


class Failure(Exception):
    pass


def fail(message):
    raise Failure(message)


def wait_until(read, accept, what, seconds=WAIT_SECONDS):
    """Reads until accept(value) holds and returns the value."""
    end = time.monotonic() + seconds
    while True:
        value = read()
        if accept(value):
            return value
        if time.monotonic() > end:
            fail(f"waited {seconds} s for {what}; last seen: {value!r}")
        time.sleep(POLL_SECONDS)


def expect(what, got, want):
    if got != want:
        fail(f"{what}: got {got!r}, want {want!r}")
    print(f"ok: {what} = {want!r}", flush=True)
