"""The panel as a screen reader meets it: the real program on the simulated board, read and worked
over AT-SPI on a virtual display with the accessibility bus up, the way Orca reads and works it.

Run it in a screen reader's session: tests/support/accessibility-session.sh, as ctest does.
"""
import os
import re
import sys
import tempfile
import unittest

import pyatspi
from gi.repository import GLib

from orvex_testing import start_window, stop, wait_for, wait_while_running

ORVEX = sys.argv.pop(1)

# How the panel's code names its controls: a kind and a number ("Toggle7", "SSPanel2").
INTERNAL_NAME = re.compile(
    r"\b(Frame3D|Panel3D|SSPanel|SSCommand|SSFrame|Frame|Toggle|Command|HSlider|Knob|Wheel|"
    r"LedDisplay|LGAUGE|Gauge|ind|Label|Text|Form)\d+\b")

EVENTS = ("object:state-changed:checked", "object:text-changed:insert",
          "object:property-change:accessible-name")

SETTINGS = "[CONTROL]\nOFF_FREQUENCY=137500\nSTEP_FREQ=10\nAUDIO=2\n"


def pump():
    """Delivers the AT-SPI events that have arrived."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def descendants(accessible):
    """`accessible` and everything below it, depth first."""
    found = [accessible]
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            found.extend(descendants(child))
    return found


def actions(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(index) for index in range(action.nActions)]


def text_of(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        return None


class Heard:
    """An event as it arrived: what it said and of what, read at once, since its source may be gone
    when the test looks."""

    def __init__(self, event):
        self.type = event.type
        self.detail1 = event.detail1
        self.text = event.any_data if isinstance(event.any_data, str) else ""
        try:
            self.name, self.role = event.source.name, event.source.getRole()
        except GLib.Error:
            self.name, self.role = None, None


class ScreenReader(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.events = []
        cls.listener = lambda event: cls.events.append(Heard(event))
        pyatspi.Registry.registerEventListener(cls.listener, *EVENTS)
        cls.folder = tempfile.TemporaryDirectory()
        settings = os.path.join(cls.folder.name, "ORVEX.ini")
        with open(settings, "w") as file:
            file.write(SETTINGS)
        env = dict(os.environ, XDG_CONFIG_HOME=cls.folder.name)
        errors = os.path.join(cls.folder.name, "stderr.txt")
        cls.program = start_window(ORVEX, errors,
                                   "--board", "sim", "--settings", settings, "--window-state",
                                   os.path.join(cls.folder.name, "window.ini"), env=env)
        try:
            cls.application = wait_while_running(cls.program, errors, cls.find_application,
                                                 "the program on the AT-SPI bus", 30)
            cls.panel = wait_for(lambda: cls.window("ORVEX"), "the panel's window", 30)
        except BaseException:
            cls.tearDownClass()
            raise

    @classmethod
    def tearDownClass(cls):
        stop(cls.program)
        pyatspi.Registry.deregisterEventListener(cls.listener, *EVENTS)
        cls.folder.cleanup()

    @classmethod
    def find_application(cls):
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.get_process_id() == cls.program.pid:
                return application
        return None

    @classmethod
    def window(cls, title):
        return next((window for window in descendants(cls.application)[1:]
                     if window.name.startswith(title)), None)

    def control(self, role, named):
        """The one element with `role` whose name passes `named`; waits for it to appear."""
        def found():
            matches = [element for element in descendants(self.panel)
                       if element.getRole() == role and named(element.name)]
            return matches[0] if len(matches) == 1 else None
        return wait_for(found, "one %s so named" % role, 20)

    def event(self, kind, what, matches):
        """Waits for an event of `kind` that `matches`; `what` says which, for the time-out."""
        def arrived():
            pump()
            return next((event for event in self.events
                         if event.type == kind and matches(event)), None)
        return wait_for(arrived, "%s from %s" % (kind, what), 20)

    def switch(self, name):
        """Switches the toggle `name` through its accessible action, as a screen reader does."""
        toggle = self.control(pyatspi.ROLE_CHECK_BOX, lambda named: named == name)
        was = toggle.getState().contains(pyatspi.STATE_CHECKED)
        toggle.queryAction().doAction(actions(toggle).index("Toggle"))
        self.event("object:state-changed:checked", name,
                   lambda e: e.name == name and e.detail1 == (not was))
        self.assertEqual(toggle.getState().contains(pyatspi.STATE_CHECKED), not was)

    def test_1_every_control_is_named_in_words_and_idle_ones_are_hidden(self):
        elements = descendants(self.panel)
        for element in elements:
            focusable = element.getState().contains(pyatspi.STATE_FOCUSABLE)
            actionable = [a for a in actions(element) if a != "SetFocus"]
            with self.subTest(role=element.getRoleName(), name=element.name):
                self.assertIsNone(INTERNAL_NAME.search(element.name), "an internal name")
                if focusable or actionable:
                    self.assertRegex(element.name, r"[A-Za-z]{2}", "no name in words")
        names = [element.name for element in elements]
        self.assertNotIn("Spectrum", names)
        self.assertIn("Simulated board", names)  # the badge, read whole

    def test_2_power_lights_the_display_with_the_frequency_as_text_and_value(self):
        self.switch("Power")
        display = self.control(pyatspi.ROLE_LABEL, lambda name: name.startswith("Frequency"))
        wait_for(lambda: text_of(display) == "137.500 MHz", "the display to read 137.500 MHz", 20)
        self.assertEqual(display.name, "Frequency, 137.500 MHz")
        self.assertAlmostEqual(display.queryValue().currentValue, 137.5)

    def test_3_scan_is_switched_and_the_status_line_announces_it(self):
        self.switch("Scan")
        said = "Scanning up from 137.500 MHz"
        status = self.control(pyatspi.ROLE_STATUS_BAR, lambda name: True)
        self.event("object:text-changed:insert", "the status line",
                   lambda e: e.role == pyatspi.ROLE_STATUS_BAR and said in e.text)
        self.event("object:property-change:accessible-name", "the status line",
                   lambda e: e.role == pyatspi.ROLE_STATUS_BAR)
        self.assertIn(said, status.name)
        self.assertIn(said, text_of(status))
        self.switch("Scan")

    def test_4_volume_is_set_through_the_value_interface(self):
        volume = self.control(pyatspi.ROLE_SLIDER, lambda name: name == "Volume")
        volume.queryValue().currentValue = 5
        # The words read the receiver, not the slider: the handler took the position.
        wait_for(lambda: text_of(volume) == "volume 5 of 7", "the volume to read 5 of 7", 20)


if __name__ == "__main__":
    unittest.main()
