"""End-to-end tests: KLV driven through its accessibility interface against varim-sim.

Usage (under a private D-Bus session, see run-e2e):
    klv_e2e.py TEST --klv build/dev/app/ui/KLV --sim build/dev/sim/varim-sim

Exit status 0 passed, 1 failed, 77 skipped (the accessibility stack cannot start here).
"""

import argparse
import re
import shutil
import socket
import subprocess
import sys
import traceback

from harness import Failure, Session, Unavailable, frames_to_radio, wait_for

SKIPPED = 77

# The opcodes on the line, as the radio takes and sends them.
GET_MEMORY_SECTION = 36
PROGRAM_MEMORY_SECTION = 32
SET_ACTIVE_CHANNEL = 1
SET_SQUELCH_ON_OFF = 9
PERFORM_SELF_TEST = 27
PERFORM_RESET = 28
DISPLAY_REPORT = 46
REPORT_CONTROL_HEAD_KEYBOARD = 54
STATION_CALL = 69
ACCEPT_LINK = 80

F1_PATTERN = [0xBF, 0x7B, 0xEF, 0x01]
IDLE_PATTERN = [0xFF, 0x7B, 0xEF, 0x01]
LOW_RF_TEST = 2
SELF_TEST_ITEMS = 39
KEY_DOWN = 0xFF54
KEY_RETURN = 0xFF0D


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


def show_varim_panel(s):
    wait_until_read(s)
    s.activate("View VARIM Panel")
    s.find("frame", "VARIM Panel")


def front_panel_display(s):
    line = "HELLO WORLD"
    show_varim_panel(s)
    expect(not s.find_now("label", text=line), f"a label shows '{line}' before the radio sent it")
    # A display report of lines (sub-type 3) in its short form: line 1, then two zero bytes.
    text = " ".join(f"{ord(c):02X}" for c in line)
    s.console(f"send {DISPLAY_REPORT:02X} 03 00 00 {text} 00 00", "frame sent")
    s.find("label", text=line)


def front_panel_key(s):
    show_varim_panel(s)
    f1 = s.find("push button", "F1")
    mark = s.mark()
    s.click(f1)
    index, pattern = s.wait_frame(REPORT_CONTROL_HEAD_KEYBOARD, mark, "F1's key pattern")
    expect(pattern == F1_PATTERN, f"the first key pattern after F1 was {pattern}, not F1's")
    _, pattern = s.wait_frame(REPORT_CONTROL_HEAD_KEYBOARD, index + 1, "the idle key pattern")
    expect(pattern == IDLE_PATTERN, f"the key pattern after F1's was {pattern}, not the idle one")


def incoming_call(s):
    caller, message = "ALPHA1", "MEET AT NOON"
    wait_until_read(s)
    s.console(f"call station {caller} {message}", f"station call from {caller}")
    dialog = s.find("dialog", "Incoming Station Call.")
    s.find("label", text=caller, within=dialog)
    s.find("label", text=message, within=dialog)
    mark = s.mark()
    s.click(s.find("push button", "OK", within=dialog))
    s.wait_frame(ACCEPT_LINK, mark, "AcceptLink")


def bite(s):
    summary = f"Summary: {SELF_TEST_ITEMS} Passed, 0 Failed, 0 Not Performed"
    wait_until_read(s)
    s.console("selftest all pass", "self test item all: pass")
    s.activate("Built-in Test")
    dialog = s.find("dialog", "BITE")
    low_rf = s.find("radio button", "Low RF Test", within=dialog)
    s.click(low_rf)
    wait_for("Low RF Test to be chosen", lambda: s.is_checked(low_rf), 5)
    mark = s.mark()
    s.click(s.find("push button", "Run", within=dialog))
    _, data = s.wait_frame(PERFORM_SELF_TEST, mark, "PerformSelfTest")
    expect(data[1:2] == [LOW_RF_TEST], f"PerformSelfTest asked for test {data}, not Low RF")
    s.find(("label", "text"), text=summary, within=dialog, timeout=20)
    wait_for(f"the results list to show {SELF_TEST_ITEMS} items",
             lambda: len(s.find_now("list item", within=dialog, showing=False))
             == SELF_TEST_ITEMS, 5)
    mark = s.mark()
    s.click(s.find("push button", "Close", within=dialog))
    s.wait_frame(PERFORM_RESET, mark, "PerformReset")
    wait_for("the BITE dialog to close", lambda: not s.find_now("dialog", "BITE"), 10)


def radio_status(s, pattern):
    """The groups of pattern in the radio's state as varim-sim's status tells it now."""
    s.console("status", "frames received")
    with open(s.sim_output, errors="replace") as out:
        found = re.findall(pattern, out.read())
    expect(found, f"varim-sim's status did not tell '{pattern}'")
    return found[-1]


def radio_channel(s):
    """The radio's active channel and its receive and transmit frequencies in Hz."""
    found = radio_status(s, r"channel (\d+), rx (\d+) Hz, tx (\d+) Hz")
    return tuple(int(value) for value in found)


def megahertz(hz):
    return f"{hz // 10 * 0.00001:.5f}"


def labelled(s, role, label, showing=True):
    """The control a label names: a drop-down list announces its chosen entry, not its label."""

    def target():
        for node in s.find_now("label", label, showing=showing):
            for relation in node.getRelationSet():
                if relation.getRelationType() != s.pyatspi.RELATION_LABEL_FOR:
                    continue
                for index in range(relation.getNTargets()):
                    control = relation.getTarget(index)
                    if control.getRoleName() == role:
                        return control
        return None

    return wait_for(f"KLV shows no {role} labelled '{label}'", target, 10)


def channel(s):
    wait_until_read(s)
    before, _, _ = radio_channel(s)
    channels = labelled(s, "combo box", "Channel")
    mark = s.mark()
    # The list opened, then the entry below the chosen one taken with the keyboard, as an
    # operator does: only a choice of the operator's switches the radio.
    s.click(channels)
    popup = channels[0]
    wait_for("the Channel list to open",
             lambda: popup.getState().contains(s.pyatspi.STATE_SHOWING), 5)
    for key in (KEY_DOWN, KEY_RETURN):
        s.pyatspi.Registry.generateKeyboardEvent(key, None, s.pyatspi.KEY_SYM)
    _, data = s.wait_frame(SET_ACTIVE_CHANNEL, mark, "SetActiveChannel")
    number, rx, tx = radio_channel(s)
    expect(number != before, f"the radio stayed on channel {before} (SetActiveChannel {data})")
    s.find("text", "Tx. Freq.", text=megahertz(tx))
    s.find("text", "Rx. Freq.", text=megahertz(rx))


def type_into(s, edit, text):
    """Replaces what the edit box holds one character at a time, as typing does: the box checks
    every change. The text is set through the accessibility interface, as assistive tools set
    it (a window without a window manager does not take the keyboard focus)."""
    editable = edit.queryEditableText()
    for end in range(1, len(text) + 1):
        editable.setTextContents(text[:end])
        wait_for(f"'{edit.name}' to show '{text[:end]}'",
                 lambda: s.shown_text(edit) == text[:end], 10)


def program_channel(s):
    wait_until_read(s)
    number, _, _ = radio_channel(s)
    duplex = s.find("radio button", "Duplex")
    s.click(duplex)
    wait_for("Duplex to be chosen", lambda: s.is_checked(duplex), 5)
    # Frequencies of the form the radio stores to the 10 Hz, so the conversion must be exact.
    tx, rx = "12.3456", "9.87654"
    type_into(s, s.find("text", "Tx. Freq."), tx)
    type_into(s, s.find("text", "Rx. Freq."), rx)
    mark = s.mark()
    s.click(s.find("push button", "Program Channel"))
    s.wait_frame(PROGRAM_MEMORY_SECTION, mark, "the channel written to the radio's memory", 30)
    wait_for("the radio to hold the programmed frequencies",
             lambda: radio_channel(s) == (number, 9_876_540, 12_345_600), 30)
    # The panel is given back once the radio had its time to store the channel.
    wait_for("Program Channel to be offered again",
             lambda: s.is_enabled(s.find("push button", "Program Channel")), 30)


def cell_text(s, table, row, column):
    return s.shown_text(table.queryTable().getAccessibleAt(row, column))


def edit_and_write(s):
    wait_until_read(s)
    number, rx, tx = radio_channel(s)
    s.activate("RSS Panel")
    channels = s.find("table", "Channels")
    wait_for("the channel table to show the radio's channel",
             lambda: cell_text(s, channels, number - 1, 1) == megahertz(tx), 10)
    expect(cell_text(s, channels, number - 1, 2) == megahertz(rx),
           f"the table shows Rx {cell_text(s, channels, number - 1, 2)}, the radio {rx} Hz")

    s.activate("Channels...")
    dialog = s.find("dialog", "Channel Configuration")
    spin = s.find("spin button", "Channel", within=dialog)
    spin.queryValue().currentValue = number
    half = s.find("radio button", "Half Duplex Frequencies", within=dialog)
    s.click(half)
    wait_for("Half Duplex to be chosen", lambda: s.is_checked(half), 5)
    type_into(s, s.find("text", "Tx:", within=dialog), "12.3456")
    type_into(s, s.find("text", "Rx:", within=dialog), "9.87654")
    s.click(s.find("push button", "OK", within=dialog))
    wait_for("the dialog to close", lambda: not s.find_now("dialog", "Channel Configuration"), 10)
    expect(cell_text(s, channels, number - 1, 1) == "12.34560",
           "the table does not show the edited channel")

    mark = s.mark()
    s.activate("Write Device")
    # KLV lists what the write will change since the radio's last backup, and asks.
    def question():
        return next((s.shown_text(label) for label in s.find_now("label")
                     if s.shown_text(label).startswith("Writing will change")), None)

    changes = wait_for("the question before the write", question, 10)
    expect(f"Channel {number}:" in changes, f"the question does not name channel {number}: {changes}")
    s.click(s.find("push button", "Yes"))
    s.wait_frame(PROGRAM_MEMORY_SECTION, mark, "the records written to the radio's memory", 30)
    wait_for("the radio to hold the edited channel",
             lambda: radio_channel(s) == (number, 9_876_540, 12_345_600), 90)


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def network_control(s):
    """Hamlib's own client tunes the radio through KLV, as WSJT-X or fldigi do with "NET rigctl",
    once the operator has switched network control on."""
    rigctl = shutil.which("rigctl")
    expect(rigctl, "Hamlib's rigctl is missing (Debian's libhamlib-utils, see scripts/setup)")
    wait_until_read(s)
    _, rx, _ = radio_channel(s)
    s.activate("Network Control...")
    dialog = s.find("dialog", "Network Control")
    s.click(s.find("check box", "Let other programs control the radio", within=dialog))
    port = free_port()
    s.find("spin button", "Port:", within=dialog).queryValue().currentValue = port
    s.click(s.find("push button", "OK", within=dialog))
    wait_for("the dialog to close", lambda: not s.find_now("dialog", "Network Control"), 10)
    asked = subprocess.run([rigctl, "-m", "2", "-r", f"127.0.0.1:{port}", "f", "F", "14074000",
                            "f", "T", "1"], capture_output=True, text=True, timeout=60)
    answers = asked.stdout.split()
    expect(answers[:2] == [str(rx), "14074000"],
           f"rigctl read {answers} (status {asked.returncode}): {asked.stderr}")
    # Keying was not allowed in the dialog; rigctl tells a refusal on its output.
    expect("set_ptt: error" in asked.stdout, f"rigctl keyed the transmitter: {asked.stdout}")
    wait_for("the radio to be tuned to 14.074 MHz",
             lambda: radio_channel(s)[1:] == (14_074_000, 14_074_000), 10)


def ale_directory(s):
    wait_until_read(s)
    s.activate("RSS ALE Panel")
    s.activate("Directory...")
    dialog = s.find("dialog", "ALE Directory Configuration")
    address = s.find("text", within=dialog)
    add = s.find("push button", "ADD", within=dialog)
    type_into(s, address, "abc")
    s.find("label", text="'abc' is an invalid address.", within=dialog)
    expect(not s.is_enabled(add), "ADD is offered for a lower-case address")

    listed = s.find("list", "Directory List", within=dialog)

    def entries():
        return [item.name for item in listed]

    # The sample radio's directory is full: one address makes room first, after the question.
    last = entries()[-1]
    address.queryEditableText().setTextContents("")
    type_into(s, address, last)
    delete = s.find("push button", "DELETE", within=dialog)
    wait_for("DELETE to be offered", lambda: s.is_enabled(delete), 5)
    s.click(delete)
    s.click(s.find("push button", "Yes"))
    wait_for(f"{last} to leave the Directory List", lambda: last not in entries(), 10)

    # A name no sample address has, so ADD is offered: it sorts among the others.
    type_into(s, address, "MIKE7")
    wait_for("ADD to be offered", lambda: s.is_enabled(add), 5)
    s.click(add)
    wait_for("MIKE7 in the Directory List", lambda: "MIKE7" in entries(), 10)
    expect(entries() == sorted(entries()), f"the Directory List is not in order: {entries()}")
    s.click(s.find("push button", "OK", within=dialog))


def call(s):
    link = "Link was established."
    show_varim_panel(s)
    # The radio's ALE switched on at its head (F4 is ALE on the first page), so scanning
    # scans the nets and the ALE tabs join the channel form.
    s.click(s.find("push button", "F4"))
    wait_for("the radio's ALE to switch on",
             lambda: radio_status(s, r"ALE (on|off)") == "on", 10)
    # The panel's button row may lie below the window's edge: Start Scan is pressed all the same.
    s.click(s.find("push button", "Start Scan", showing=False))
    ale = wait_for("the ALE tab to join the tab row",
                   lambda: next((t for t in s.find_now("page tab", showing=False)
                                 if t.name.strip() == "ALE"), None), 10)
    s.click(ale)
    # The tab's controls may lie beyond the small virtual screen, so they are not "showing".
    station = s.find("radio button", "Station", showing=False)
    s.click(station)
    wait_for("Station to be chosen", lambda: s.is_checked(station), 5)
    to = labelled(s, "combo box", "To:", showing=False)
    address = s.shown_text(to)
    expect(address not in ("", "All Call"), f"the To list offers '{address}', not an address")
    expect(not s.find_now(("label", "text"), text=link, showing=False),
           f"'{link}' shows before any call")
    mark = s.mark()
    # The Update Link Quality tab has a Send of its own; the ALE tab's sits beside its To list.
    s.click(s.find("push button", "Send", within=to.parent, showing=False))
    _, data = s.wait_frame(STATION_CALL, mark, "StationCall")
    # The address follows a fixed first byte.
    expect(bytes(data[1:1 + len(address)]).decode(errors="replace") == address,
           f"StationCall {data} does not call '{address}'")
    s.find(("label", "text"), text=link, showing=False, timeout=20)


TESTS = {
    "startup": startup,
    "front_panel_display": front_panel_display,
    "front_panel_key": front_panel_key,
    "incoming_call": incoming_call,
    "bite": bite,
    "channel": channel,
    "program_channel": program_channel,
    "edit_and_write": edit_and_write,
    "ale_directory": ale_directory,
    "call": call,
    "network_control": network_control,
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
