#include "controls/Receiver.h"
#include "core/NumberText.h"

namespace orvex {

// A port opened afresh may reach a board whose synthesizer holds anything.
void Receiver::reopenPort() {
    port_.baseChanged();
    synthesizer_.forgetLatched();
}

// Turning an option button on raises its click notification; turning one off raises nothing.
void Receiver::turnOnLPT1() {
    if (!panel_.LPT1.on) {
        panel_.LPT1.on = true;
        LPT1_Click();
    }
}

void Receiver::turnOnLPT2() {
    if (!panel_.LPT2.on) {
        panel_.LPT2.on = true;
        LPT2_Click();
    }
}

// Choosing the port that is on already raises no click, yet a backend whose device could not be
// opened (no permission yet, the printer driver holding it) must try it again; one that is open
// keeps it.
void Receiver::choosePort(std::int16_t base) {
    const bool chosenAlready = base == Lpt2Base ? panel_.LPT2.on : panel_.LPT1.on;
    if (base == Lpt2Base) {
        turnOnLPT2();
    } else {
        turnOnLPT1();
    }
    if (chosenAlready) {
        reopenPort();
    }
}

void Receiver::LPT1_Click() {
    if (!panel_.LPT1.on) {
        return;
    }
    state_.PortBase = Lpt1Base;
    panel_.LPT2.on = false;
    reopenPort();
    portTriedInAbout_ = true;
}

void Receiver::LPT2_Click() {
    if (!panel_.LPT2.on) {
        return;
    }
    panel_.LPT1.on = false;
    state_.PortBase = Lpt2Base;
    reopenPort();
    portTriedInAbout_ = true;
}

// The About window opens with the port saved at the last power-off (savedPortBase).
void Receiver::Toggle3_Change(bool on) {
    panel_.Toggle3.on = on;
    Form2Model& form = panel_.Form2;
    if (!on) {
        if (form.open) {
            closeForm2();
        }
        return;
    }
    if (form.open) {
        return;
    }
    form = Form2Model{};
    form.open = true;
    portTriedInAbout_ = false;
    form.OkPressed = 0;
    if (savedPortBase() == Lpt2Base) {
        Form2_LPT2_Click();
        form.LPT1.on = false;
    } else {
        form.LPT2.on = false;
        Form2_LPT1_Click();
    }
}

std::int16_t Receiver::savedPortBase() const {
    const std::optional<std::string> text = SettingsAccess::ReadSetting(settings_.load(), "PORT");
    const std::optional<double> number = text ? parseNumber(*text) : std::nullopt;
    return number && roundHalfEven(*number) == Lpt2Base ? Lpt2Base : Lpt1Base;
}

void Receiver::Form2_LPT1_Click() {
    panel_.Form2.LPT1.on = true;
    panel_.Form2.LPT2.on = false;
    turnOnLPT1();
}

void Receiver::Form2_LPT2_Click() {
    panel_.Form2.LPT2.on = true;
    panel_.Form2.LPT1.on = false;
    turnOnLPT2();
}

// OK confirms the port shown. When the About window chose nothing new, a device that could not
// be opened is tried again; otherwise it was tried a moment ago and told once.
void Receiver::Form2_Command1_Click() {
    panel_.Form2.OkPressed = 1;
    closeForm2();
    panel_.Toggle3.on = false;
    if (!portTriedInAbout_) {
        reopenPort();
    }
}

void Receiver::closeForm2() {
    panel_.Form2.open = false;
    Form2_Unload();
}

// Closing the About window any way but "OK" closes the main window too, and so ends the program.
void Receiver::Form2_Unload() {
    panel_.Form2.open = false;
    if (panel_.Form2.OkPressed == 1) {
        return;
    }
    panel_.ending = Ending::Quit;
    panel_.Form2.OkPressed = 0;
}

}  // namespace orvex
