#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/MemoryKeys.h"
#include "controls/PanelModel.h"
#include "controls/Readings.h"
#include "controls/SettingsAccess.h"
#include "core/Delay.h"
#include "core/Messages.h"
#include "core/PortIo.h"
#include "core/ReceiverState.h"
#include "core/SettingsStore.h"
#include "hardware/Converter.h"
#include "hardware/Port.h"
#include "hardware/Synthesizer.h"

namespace orvex {

// The front panel's logic: it owns the receiver state and the panel model and runs every handler.
// Handlers are named after control and event and run to completion; they never touch a widget and
// never wait for the operator. Messages go to the sink and are shown once the handler has returned.
class Receiver {
public:
    Receiver(PortIo& io, Delay& delay, SettingsStore& settings, MessageSink& messages);

    const ReceiverState& state() const { return state_; }
    const PanelModel& panel() const { return panel_; }
    // The board in use, in one line for the operator.
    std::string boardDescription() const { return port_.io().describe(); }

    // What a front end shows (the remote server, the monitor), read without parsing display text.
    // The frequency on the display in kHz, exactly as its decimal text says (132.010 is 132010);
    // nothing until the first power-on has lit the display.
    std::optional<std::int32_t> displayedKHz() const;
    // The frequency power-on will restore, in kHz.
    double offFrequencyKHz() const { return state_.OffFrequency; }
    bool poweredOn() const { return panel_.Toggle7.on; }
    bool portChosen() const { return state_.PortBase != 0; }
    std::int16_t portBase() const { return state_.PortBase; }
    std::int16_t stepKHz() const { return state_.StepKHz; }
    std::int16_t volumePosition() const { return panel_.HSlider4.position; }
    std::int16_t squelchPosition() const { return panel_.HSlider3.position; }
    bool muted() const { return panel_.Toggle2.on; }
    bool scanning() const { return panel_.Toggle5.on; }
    // The last measurement: signal level and supply as the meter shows them, and whether the level
    // was above the squelch threshold (the carrier; the audio opens with it unless a tuning driver
    // holds the squelch). All zero and closed until one has run.
    double measuredLevel() const { return panel_.Gauge1.needles[0]; }
    double measuredSupplyVolts() const { return panel_.Gauge1.needles[1]; }
    // The converter's byte for the signal that the level was made of (0–255).
    int measuredSignalByte() const { return measuredSignalByte_; }
    bool audioOpen() const { return audioOpen_; }
    // How many measurement ticks have run, how many stores channel memory n has had, and how many
    // saves of the settings file have failed, since start: what changed is told by these moving.
    std::uint64_t measurements() const { return measurements_; }
    std::uint64_t stores(int channel) const;
    std::uint64_t failedSaves() const { return failedSaves_; }
    // Channel memory 1 to 3 as stored, read afresh from the settings file.
    ChannelMemory memory(int channel) const;
    // Whether a tuning driver holds the squelch decisions, keeping the audio muted.
    bool squelchHeld() const { return squelchHeld_; }

    // The tuning helpers: the knob position that shows `megahertz` at the step in force, and the
    // knob's range.
    std::int16_t PositionFromFrequency(double megahertz) const;
    std::int16_t KnobMax() const { return panel_.Knob1.maximum; }

    // Start-up and the ways out
    void Form_Load();
    void Form_Unload();             // the main window is closing
    void Toggle10_Change(bool on);  // Exit

    // Tuning
    void Knob1_Change(int position);   // every move by the operator
    void Knob1_DragEnd(int position);  // the end of a drag
    void Wheel1_Change(int code);
    void Command10_Click();  // "<"
    void Command8_Click();   // ">"
    // A frequency typed on the display: refused outside the band, else it moves the knob.
    void LedDisplay1_Entry(std::string_view typed);

    // Step size
    void Toggle8_Change(bool on);  // 10 / 100 kHz
    void Toggle9_Change(bool on);  // 5 kHz

    // Audio
    void HSlider4_Change(int position);  // volume
    void HSlider3_Change(int position);  // squelch
    void Toggle2_Change(bool on);        // mute

    // Power, scan, memories and the switches that only hold a state
    void Toggle7_Change(bool on);
    void Toggle5_Change(bool on);
    void Toggle4_Change(bool on);  // Read / Write
    void Toggle1_Change(bool on);  // Spectrum
    void Command2_Click();         // "Ch-1"
    void Command3_Click();         // "Ch-2"
    void Command4_Click();         // "Ch-3"

    // Timers
    void Timer1_Timer();  // measurement
    void Timer2_Timer();  // scanner

    // Port choice: the main window's hidden option buttons and the About window
    void LPT1_Click();
    void LPT2_Click();
    void Toggle3_Change(bool on);  // About
    void Form2_LPT1_Click();
    void Form2_LPT2_Click();
    void Form2_Command1_Click();  // "OK"
    void Form2_Unload();          // the About window is closing, by any means

    // Turns the main window's hidden LPT1 or LPT2 on from outside, as choosing in the About window
    // does: the command line's port choice.
    void choosePort(std::int16_t base);
    // The port saved at the last power-off, as the About window's opening reads it: 632 is LPT2,
    // anything else (missing, not a number, not a 16-bit integer) LPT1.
    std::int16_t savedPortBase() const;

private:
    // The actions reach the shared operations and the board as the Parts' sequences do.
    friend class ReceiverActions;

    // Shared operations
    void TuneFromKnob();
    void ApplyVolume();
    void ApplySquelch();
    void ApplyMute();
    void FORM_ON_INI();
    void FORM_OFF_INI();
    void INITIALIZE_PLL() { synthesizer_.INITIALIZE_PLL(); }

    // Setting a control from code raises nothing, except these two (see the notes on each).
    void setVolumeSlider(int position);
    void turnOnLPT1();
    void turnOnLPT2();

    void takeKnobPosition(int position);
    double shownFrequency() const;
    void setShownFrequency(double megahertz);
    void restoreStep(double shownMHz);
    void selectStepTable(std::int16_t stepKHz, double shownMHz);
    void retuneIfReferenceChanged(std::int16_t refBefore);
    void squelchFromTexts();
    void channelButton(int channel);
    void storeChannel(int channel);
    void recallChannel(int channel);
    void closeForm2();
    void reopenPort();
    void save(const SettingsAccess::Batch& batch);
    ChannelMemory readMemory(const SettingsSnapshot& file, int channel) const;

    ReceiverState state_;
    PanelModel panel_;
    Port port_;
    Delay& delay_;
    Synthesizer synthesizer_;
    Converter converter_;
    SettingsAccess settings_;
    MessageSink& messages_;
    bool portTriedInAbout_ = false;  // the open About window has chosen a port (tried its device)
    bool audioOpen_ = false;         // the squelch decision of the last measurement
    int measuredSignalByte_ = 0;     // the signal byte of the last measurement
    bool squelchHeld_ = false;       // a tuning driver keeps the audio muted
    std::uint64_t measurements_ = 0;
    std::uint64_t failedSaves_ = 0;
    std::array<std::uint64_t, ChannelCount> stores_{};
};

}  // namespace orvex
