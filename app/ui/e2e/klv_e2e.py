"""End-to-end tests: KLV driven through its accessibility interface against varim-sim.

Usage (under a private D-Bus session, see run-e2e):
    klv_e2e.py TEST --klv build/dev/app/ui/KLV --sim build/dev/sim/varim-sim

Exit status 0 passed, 1 failed, 77 skipped (the accessibility stack cannot start here).
"""

import argparse
import sys
import traceback

from harness import Failure, Session, Unavailable, frames_to_radio, wait_for

SKIPPED = 77

# The opcodes on the line, as the radio takes and sends them.
GET_MEMORY_SECTION = 36
SET_SQUELCH_ON_OFF = 9


def wait_until_read(s):
    """The start-up read is over and succeeded: no box or progress dialog is left, the status
    bar is back to "Ready", Read Device is offered again (it is not while KLV is busy) and so
    is the squelch toggle, which needs a radio that was read and reports."""

    def offered(command):
        buttons = s.find_now("push button", command)
        return bool(buttons) and s.is_enabled(buttons[0])

    def read():
        status = s.find_now("status bar")
        return (not s.find_now("dialog") and bool(status) and status[0].name == "Ready"
                and offered("Read Device") and offered("Set Squelch On/Off"))

    wait_for("KLV to finish reading the radio (no dialog left, 'Ready' in the status bar, "
             "Read Device and Set Squelch On/Off offered)", read, 40)


def expect(condition, message):
    if not condition:
        raise Failure(message)


def startup(s):
    wait_until_read(s)
    reads = [code for code, _ in frames_to_radio(s.sim_trace) if code == GET_MEMORY_SECTION]
    expect(reads, "KLV came up ready without reading the radio's memory")
    mark = s.mark()
    s.activate("Set Squelch On/Off")
    s.wait_frame(SET_SQUELCH_ON_OFF, mark, "SetSquelchOnOff")


TESTS = {
    "startup": startup,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("test", choices=sorted(TESTS))
    parser.add_argument("--klv", required=True, help="the KLV program")
    parser.add_argument("--sim", required=True, help="the varim-sim program")
    arguments = parser.parse_args()

    session = Session(arguments.klv, arguments.sim)
    try:
        with session:
            TESTS[arguments.test](session)
    except Unavailable as reason:
        print(f"SKIPPED: the accessibility stack cannot start here: {reason}")
        return SKIPPED
    except Failure as failure:
        print(f"FAILED {arguments.test}: {failure}\n{session.report()}")
        return 1
    except Exception:
        print(f"FAILED {arguments.test}:\n{traceback.format_exc()}\n{session.report()}")
        return 1
    finally:
        session.remove_folder()
    print(f"PASSED {arguments.test}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
