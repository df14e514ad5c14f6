#!/usr/bin/python3
"""What a screen reader finds in Kairo's window, through AT-SPI.

Runs inside its own X server and session bus (see CMakeLists.txt): starts the
accessibility bus and a copy of the built program on the virtual mouse, then
walks the accessible tree on the first tab, with the Reset box open, and on
SETTINGS, which it opens through AT-SPI itself. Every shown control must have
a name, a role that says what it is, and an action; sliders a value that moves
when the slider is stepped, check boxes and radio buttons their state.

  test_journey_atspi.py BUILD_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

BUILD = os.path.abspath(sys.argv[1])
# Roles a screen reader announces as something to work with.
CONTROL_ROLES = {
    "push button", "toggle button", "check box", "radio button", "slider", "combo box",
    "page tab", "menu item", "list item", "link", "text", "spin button", "table cell",
}
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def wait_for(test, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        found = test()
        if found:
            return found
        time.sleep(0.2)
    print("FAIL: timed out waiting for", what)
    sys.exit(1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "kairo":
            return app
    return None


def showing(node):
    states = node.getState()
    return states.contains(pyatspi.STATE_SHOWING) and states.contains(pyatspi.STATE_VISIBLE)


def walk(node, found):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None or not showing(child):
            continue
        found.append(child)
        walk(child, found)
    return found


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def survey(app, label):
    """Checks every shown control; prints and returns the figures."""
    controls = [n for n in walk(app, []) if n.getRoleName() in CONTROL_ROLES]
    named = [n for n in controls if n.name.strip()]
    activatable = [n for n in controls if [a for a in actions(n) if a != "SetFocus"]
                   or n.getRoleName() == "text"]
    for n in controls:
        check(n.name.strip(), f"{label}: unnamed {n.getRoleName()}")
        if n not in activatable:
            check(False, f"{label}: {n.getRoleName()} '{n.name}' has no action but {actions(n)}")
        if n.getRoleName() == "slider":
            try:
                value = n.queryValue()
                check(value.maximumValue > value.minimumValue,
                      f"{label}: slider '{n.name}' has an empty range")
            except NotImplementedError:
                check(False, f"{label}: slider '{n.name}' has no value")
        if n.getRoleName() not in ("text",):
            check(n.getState().contains(pyatspi.STATE_FOCUSABLE),
                  f"{label}: {n.getRoleName()} '{n.name}' cannot take focus")
    sliders = [n for n in controls if n.getRoleName() == "slider"]
    print(f"{label}: controls {len(controls)}, named {len(named)}, with a control role "
          f"{len(controls)}, activatable {len(activatable)}, sliders with a value "
          f"{sum(1 for s in sliders if has_value(s))} of {len(sliders)}")
    return controls


def has_value(node):
    try:
        node.queryValue()
        return True
    except NotImplementedError:
        return False


def by_name(controls, role, name):
    for n in controls:
        if n.getRoleName() == role and n.name == name:
            return n
    print(f"FAIL: no {role} named '{name}' among", sorted({(c.getRoleName(), c.name) for c in controls}))
    sys.exit(1)


def do(node, action_name):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == action_name:
            return action.doAction(i)
    check(False, f"'{node.name}' offers no {action_name} among {actions(node)}")
    return False


def main():
    work = tempfile.mkdtemp(prefix="kairo-atspi-")
    os.chmod(work, 0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=work, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_ACCESSIBILITY="1", KAIRO_VIRTUAL_MOUSE_SOCKET=os.path.join(work, "vm.sock"),
               LD_PRELOAD=os.environ.get("KAIRO_PRELOAD_PREFIX", "")
               + os.path.join(BUILD, "lib/libkairo-virtual-mouse.so"))
    env.pop("QT_QPA_PLATFORM", None)
    bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                           env=dict(os.environ, XDG_RUNTIME_DIR=work))
    shutil.copy(os.path.join(BUILD, "bin/kairo"), work)
    shutil.copytree(os.path.join(BUILD, "bin/modules"), os.path.join(work, "modules"))
    log = open(os.path.join(work, "kairo.log"), "w")
    kairo = subprocess.Popen([os.path.join(work, "kairo")], env=env, stdout=log, stderr=log,
                             cwd=work)
    try:
        app = wait_for(application, 30, "kairo on the accessibility bus")
        # The pages are there once the start-up logo has gone.
        first = wait_for(lambda: [c for c in survey_quiet(app) if c.name == "OK"], 30,
                         "the first tab")
        del first
        controls = survey(app, "first tab")
        check(len(controls) > 40, "first tab: fewer than 40 controls")

        slider = by_name(controls, "slider", "DPI 1 DPI") if any(
            c.name == "DPI 1 DPI" for c in controls) else next(
            c for c in controls if c.getRoleName() == "slider")
        before = slider.queryValue().currentValue
        do(slider, "Increase")
        wait_for(lambda: slider.queryValue().currentValue != before, 5, "the slider to move")
        print(f"slider '{slider.name}': {before} -> {slider.queryValue().currentValue}")

        keyboard_journey(app)

        do(by_name(controls, "push button", "Reset"), "Press")
        box = wait_for(lambda: [c for c in survey_quiet(app) if c.name == "Reset factory setting"],
                       5, "the Reset box")
        del box
        survey(app, "Reset box")
        do(by_name(survey_quiet(app), "push button", "Cancel"), "Press")

        tab = by_name(controls, "page tab", "SETTINGS")
        do(tab, "Press")
        wait_for(lambda: tab.getState().contains(pyatspi.STATE_SELECTED), 5,
                 "SETTINGS to be the selected tab")
        settings = survey(app, "SETTINGS")
        checkable = [c for c in settings if c.getRoleName() in ("check box", "radio button")]
        check(any(c.getState().contains(pyatspi.STATE_CHECKED) for c in checkable),
              "SETTINGS: no check box or radio button reports itself checked")
        box = next((c for c in checkable if c.getRoleName() == "check box" and "lod" in c.name.lower()),
                   None)
        check(box is not None, "SETTINGS: no LOD check box")
        was = box.getState().contains(pyatspi.STATE_CHECKED)
        do(box, "Toggle")
        wait_for(lambda: box.getState().contains(pyatspi.STATE_CHECKED) != was, 5,
                 "the LOD check box to change")
    finally:
        kairo.terminate()
        kairo.wait(10)
        bus.terminate()
        bus.wait(10)
        log.close()
        if failures:
            print(open(os.path.join(work, "kairo.log")).read()[-3000:])
        shutil.rmtree(work, ignore_errors=True)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


def focused(app):
    """The innermost focused node: the window reports focus too while a control inside has it."""
    inside = [n for n in walk(app, []) if n.getState().contains(pyatspi.STATE_FOCUSED)]
    return inside[-1] if inside else None


def key(name):
    subprocess.run(["xdotool", "key", "--delay", "60", name], check=True)
    time.sleep(0.15)


def keyboard_journey(app):
    """Tab from the top bar to Reset, Return opens its box, Escape closes it."""
    window = subprocess.check_output(
        ["xdotool", "search", "--onlyvisible", "--name", "^ZENDRA KAIRO MOUSE K1$"]).split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    order = []
    for _ in range(120):
        key("Tab")
        now = focused(app)
        order.append(f"{now.getRoleName()} '{now.name}'" if now else "nothing")
        if now is not None and now.getRoleName() == "push button" and now.name == "Reset":
            break
    print(f"Tab order ({len(order)} presses to Reset):", ", ".join(order))
    check(order and order[-1] == "push button 'Reset'", "Tab never reached Reset")
    check(all(o != "nothing" for o in order), "a Tab left the keyboard nowhere")
    key("Return")
    wait_for(lambda: [c for c in survey_quiet(app) if c.name == "Reset factory setting"], 5,
             "Return to open the Reset box")
    key("Tab")
    now = focused(app)
    check(now is not None and now.name in ("Cancel", "Reset factory setting"),
          f"Tab in the Reset box went to {now.name if now else 'nothing'}")
    key("Escape")
    wait_for(lambda: not [c for c in survey_quiet(app) if c.name == "Reset factory setting"], 5,
             "Escape to close the Reset box")


def survey_quiet(app):
    return [n for n in walk(app, []) if n.getRoleName() in CONTROL_ROLES]


if __name__ == "__main__":
    sys.exit(main())
