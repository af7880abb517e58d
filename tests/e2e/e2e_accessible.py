"""Reading the program's live accessible tree through AT-SPI, as a screen reader does: controls by role and
accessible name (or description), their states, texts and places on the screen."""
import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

from e2e_wait import fail, wait_until  # noqa: E402


# An object can vanish between listing it and reading it (a window or a menu closing): such a child is gone, not
# an error, and the wait around the read looks again.
def children(node):
    try:
        count = node.get_child_count()
    except GLib.Error:
        return
    for i in range(count):
        try:
            child = node.get_child_at_index(i)
        except GLib.Error:
            continue
        if child is not None:
            yield child


def descendants(node):
    for child in children(node):
        yield child
        yield from descendants(child)


def matches(node, role, name=None, description=None):
    """A shown object of this role, and of this name and description where they are given."""
    try:
        return (
            node.get_role_name() == role
            and (name is None or node.get_name() == name)
            and (description is None or node.get_description() == description)
            and node.get_state_set().contains(Atspi.StateType.SHOWING)
        )
    except GLib.Error:
        return False


def describe(role, name=None, description=None):
    return f"{role} " + (f'"{name}"' if name is not None else f'described "{description}"')


def has_state(node, state):
    try:
        return node.get_state_set().contains(state)
    except GLib.Error:
        return False


def text_of(node):
    """What a control shows: a field's text, or a label's caption (a label's accessible name is its text)."""
    if node.get_role_name() == "text":
        return Atspi.Text.get_text(node, 0, -1)
    return node.get_name()


def wait_text(node, want, what):
    def read():
        try:
            return text_of(node)
        except GLib.Error as e:
            return f"<unreadable: {e.message}>"

    wait_until(read, want.__eq__, f"{what} to read {want!r}")
    print(f"ok: {what} = {want!r}", flush=True)


def centre(node):
    """The middle of the control on the screen, where it is now."""
    r = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
    if r.width <= 0 or r.height <= 0:
        fail(f'"{node.get_name()}" has no area on the screen: {r.x},{r.y} {r.width}x{r.height}')
    return r.x + r.width // 2, r.y + r.height // 2
