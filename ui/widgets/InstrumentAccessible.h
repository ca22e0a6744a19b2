#pragma once

class QWidget;

namespace orvex {

// Registers the accessibility factory for the panel's own widgets: every
// instrument and slider gets a role a screen reader expects, a name, its value in the operator's
// words, the numeric value interface where there is a scale, the text interface for what it
// shows, and the actions it takes.
void installWidgetAccessibility();

// Takes a control that does nothing out of what assistive technology sees; the panel still draws
// it. Its container must be an instrument (a panel or a frame).
void hideFromAssistiveTechnology(QWidget& widget);
bool isHiddenFromAssistiveTechnology(const QWidget& widget);

}  // namespace orvex
