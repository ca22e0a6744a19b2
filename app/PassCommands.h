#pragma once

#include <QObject>

namespace orvex {

class Program;
class ReceiverForm;
struct PassChoices;

// The window's part in satellite passes: the choices in a submenu of the context menu ("Satellite
// passes"), saved in their file as the operator changes them, and in the board badge, in one
// line, the pass that runs and what a steering client asked for beside the grid point it got. Lives
// as long as the window, whose child it is.
class PassCommands : public QObject {
    Q_OBJECT

public:
    PassCommands(ReceiverForm& form, Program& program);

private:
    void addMenu();
    void change(const PassChoices& choices);
    void showNotes();

    ReceiverForm& form_;
    Program& program_;
};

}  // namespace orvex
