#!/usr/bin/python3
# A learner who cannot see the screen takes a whole quiz (the bundled 漢字の読み) by keyboard
# only, as a screen reader's user does: this script listens on the accessibility bus (AT-SPI)
# the way a screen reader does, keeps what it would say, and presses the keys a learner
# presses. Every question's number, text and choices must be heard once on its step.
# Run by listen-walk.sh, which starts the program on a display with the accessibility bus.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# What the reader must say for each question, in plain text; 5: a table read cell by cell.
QUESTIONS = [
    ("1", "問題 1 / 5。\n「紅葉」の正しい読み方はどれですか。\n"
          "1. こうよう\n2. べによう\n3. くれないば\n4. こうは"),
    ("5", "問題 2 / 5。\n「海老」は「えび」と読む。\n正しければ ○，誤りなら × を答えなさい。"),
    ("2", "問題 3 / 5。\n「土産」の読み方はどれですか。\n"
          "1. どさん\n2. みやげ\n3. つちさん\n4. とさん"),
    ("6", "問題 4 / 5。\n「今日」は「こんにち」とは読まない。\n正しければ ○，誤りなら × を答えなさい。"),
    ("2", "問題 5 / 5。\n次の言葉の読み方の組み合わせで，正しいものはどれですか。\n大人\n時計\n1\n"
          "だいにん\nじけい\n2\nおとな\nとけい\n3\nおとな\nじけい\n4\nたいじん\nとけい\n"
          "表の 1～4 から選びなさい。"),
]
TIMEOUT = 30  # seconds for the program to react; a stuck program fails instead of hanging

said = []  # what the reader says, in order
focus = [None]  # the object the reader follows


def ours(event):
    try:
        app = event.source.getApplication()
        return app is not None and app.name == "Tessellar"
    except Exception:
        return False


def say(text):
    if text:
        said.append(text)


def on_focus(event):
    if not ours(event) or (event.type.startswith("object:state") and not event.detail1):
        return
    if focus[0] == event.source:
        return  # the same focus told twice (state change and focus event) is said once
    focus[0] = event.source
    label = " ".join(relation.getTarget(0).name for relation in event.source.getRelationSet()
                     if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY)
    role = event.source.getRoleName()
    name = event.source.name if event.source.name != label else ""
    say(" ".join(t for t in (label, name, role, event.source.description) if t))


def on_change(event):
    # A reader speaks a changed name or description of the object it follows only.
    if ours(event) and event.source == focus[0]:
        say(event.source.description if "description" in event.type else event.source.name)


def labels(accessible, depth=0):
    for child in accessible:
        if child is None or depth > 8:
            continue
        if child.getRoleName() == "label" and child.name:
            yield child.name
        yield from labels(child, depth + 1)


def on_window(event):
    # A window coming up is said by its title and the texts it shows, as a dialog is read.
    if ours(event):
        say(" ".join([event.source.name] + list(labels(event.source))))


def wait_until(condition, what):
    deadline = time.monotonic() + TIMEOUT
    context = GLib.MainContext.default()
    while not condition():
        if time.monotonic() > deadline:
            sys.exit("gave up waiting for %s; heard:\n%s" % (what, "\n---\n".join(said)))
        context.iteration(False) or time.sleep(0.01)


def press(key):
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)


def focused_name():
    return focus[0].name if focus[0] is not None else None


def main():
    pyatspi.Registry.registerEventListener(on_focus, "focus:", "object:state-changed:focused")
    pyatspi.Registry.registerEventListener(
        on_change, "object:property-change:accessible-name",
        "object:property-change:accessible-description")
    pyatspi.Registry.registerEventListener(on_window, "window:activate")
    wait_until(lambda: any("combo box" in s for s in said), "the section box")
    for key in ("alt+Down", "Down", "Return"):  # the list of sections: the second, 漢字の読み
        press(key)
    wait_until(lambda: any("漢字の読み combo box" in s for s in said), "the section picked")
    press("Return")  # loads it; the learner is in the answer box
    for number, (answer, heard) in enumerate(QUESTIONS, start=1):
        wait_until(lambda: any(heard in s for s in said), "question %d" % number)
        count = sum(heard in s for s in said)
        if count != 1:
            sys.exit("question %d heard %d times:\n%s" % (number, count, "\n---\n".join(said)))
        if focused_name() != "解答":
            sys.exit("focus left the answer box on question %d: %s" % (number, focused_name()))
        said.clear()
        if number == 1:  # the learner asks for the time
            press("ctrl+t")
            wait_until(lambda: any(s.startswith("経過時間 00:") for s in said), "the time")
        press(answer)
        press("Return")
    wait_until(lambda: any("結果を表示しますか" in s for s in said), "the end question")
    press("Return")  # はい: the results
    wait_until(lambda: any("総得点 8 / 満点 8" in s for s in said), "the score out of its maximum")
    print("heard every question once; the results say: %s" % [s for s in said if "総得点" in s])


if __name__ == "__main__":
    main()
