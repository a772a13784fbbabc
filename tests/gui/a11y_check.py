#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""What a screen reader is told about the running program, read over the
accessibility bus (AT-SPI) from outside, as Orca reads it.

a11y_check.py main                the configuration window and its fields
a11y_check.py message locked|editable
a11y_check.py box TITLE PROMPT     a message box with that title and prompt
a11y_check.py about                the About box's texts
a11y_check.py run CAPTION MESSAGE  the progress window and its focus
a11y_check.py value N              the progress bar reads N
a11y_check.py buttons TITLE NAME.. the box's buttons, named so, in order
Each prints what it read and exits 1 on the first thing that is wrong.
"""
import sys
import time

import pyatspi


def fail(what):
    print("FAIL: " + what)
    sys.exit(1)


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == "Lullwick":
            return a
    fail("the program is not on the accessibility bus")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def role(node):
    return node.getRoleName()


def states(node):
    return node.getState()


def window(title, roles=None, tries=50):
    for _ in range(tries):
        for w in app():
            if (w is not None and w.name == title and states(w).contains(pyatspi.STATE_SHOWING)
                    and (roles is None or role(w) in roles)):
                return w
        time.sleep(0.1)
    fail('no window "%s"%s on the accessibility bus' % (title, " (%s)" % "/".join(roles) if roles else ""))


def labelled_by(node):
    for r in node.getRelationSet():
        if r.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [r.getTarget(i).name for i in range(r.getNTargets())]
    return []


def text_of(node):
    t = node.queryText()
    return t.getText(0, t.characterCount)


def message_box(main):
    for n in walk(main):
        if role(n) == "text" and n.name == "Installation Display Message:":
            return n
    fail("no text box named by its label")


def main_window():
    # Found only as a frame: anything else fails here.
    w = window("Lullwick", ("frame",))
    print("window: %s, %s" % (role(w), w.name))
    want = {"Select your desired application to 'install':": "Microsoft Windows Service Pack",
            'Select duration of your "installation":': "1 minute",
            'Select desired "installation" message:': "Message 1"}
    for n in walk(w):
        if role(n) == "combo box":
            labels = labelled_by(n)
            print("combo box %r labelled by %r" % (n.name, labels))
            label = next((l for l in labels if l in want), None)
            if label is None or want.pop(label) != n.name:
                fail("combo box %r is not labelled as it should be" % n.name)
    if want:
        fail("no combo box labelled %r" % list(want))


def check_message(state):
    box = message_box(window("Lullwick", ("frame",)))
    editable = states(box).contains(pyatspi.STATE_EDITABLE)
    print("message box: %s, %r" % ("editable" if editable else "read-only", text_of(box)[:40]))
    if editable != (state == "editable"):
        fail("the message box is not %s" % state)


def check_box(title, prompt):
    w = window(title, ("dialog", "alert"))
    texts = [n.name for n in walk(w) if role(n) == "label"]
    print("%s %r says %r" % (role(w), w.name, texts))
    if prompt not in texts:
        fail("the box does not say %r" % prompt)


def is_button(node):
    # By the role itself: newer AT-SPI names it "button", older "push button".
    return node.getRole() == pyatspi.ROLE_PUSH_BUTTON


def check_buttons(title, names):
    w = window(title, ("dialog", "alert"))
    for _ in range(50):
        buttons = [n.name for n in walk(w) if is_button(n)]
        if buttons == names:
            break
        time.sleep(0.1)
    print("%s %r has buttons %r" % (role(w), w.name, buttons))
    if buttons != names:
        fail("the buttons are not %r" % names)


def check_about():
    w = window("About Lullwick")
    labels = [n.name for n in walk(w) if role(n) == "label"]
    print("%s %r: %r" % (role(w), w.name, labels))
    # A screen reader speaks a dialog's labels of three words or more.
    spoken = [l for l in labels if len(l.split()) >= 3]
    for needed in ("Lullwick", "Version 1.0.0", "Lullwick is for entertainment purposes only!"):
        if not any(needed in l for l in spoken):
            fail("the About box does not speak %r" % needed)


def check_run(caption, message):
    w = window(caption)
    print("window: %s, %r" % (role(w), w.name))
    if role(w) not in ("frame", "dialog", "window"):
        fail("the progress window is a %s" % role(w))
    focused = [n for n in walk(w) if states(n).contains(pyatspi.STATE_FOCUSED)]
    if len(focused) != 1:
        fail("%d objects hold the focus" % len(focused))
    f = focused[0]
    print("focus: %s, %r" % (role(f), f.name))
    if f.name != message:
        fail("the focus does not read the installation message")
    if is_button(f):
        fail("a button has the focus")
    box = w.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    at = f.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    inside = (box.x <= at.x and box.y <= at.y and at.x + at.width <= box.x + box.width
              and at.y + at.height <= box.y + box.height)
    if not inside:
        fail("the focus lies outside the window")


def check_value(expected):
    w = None
    for _ in range(30):
        for n in walk(app()):
            if role(n) == "progress bar":
                w = n
        if w is not None and w.queryValue().currentValue == float(expected):
            print("progress bar %r: %g" % (w.name, w.queryValue().currentValue))
            return
        time.sleep(0.1)
    fail("the progress bar reads %s, not %s" % (w.queryValue().currentValue if w else "nothing", expected))


what = sys.argv[1]
if what == "main":
    main_window()
elif what == "message":
    check_message(sys.argv[2])
elif what == "box":
    check_box(sys.argv[2], sys.argv[3])
elif what == "buttons":
    check_buttons(sys.argv[2], sys.argv[3:])
elif what == "about":
    check_about()
elif what == "run":
    check_run(sys.argv[2], sys.argv[3])
elif what == "value":
    check_value(sys.argv[2])
else:
    fail(__doc__)
