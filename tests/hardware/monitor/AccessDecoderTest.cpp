#include <random>

#include <gtest/gtest.h>

#include "hardware/PortTap.h"
#include "support/MonitorRig.h"

namespace orvex::test {
namespace {

using Agreement = AccessDecoder::Agreement;

constexpr double Tuned137700 = 137700.0;

class AccessDecoderTest : public ::testing::Test, protected TuningRig {
protected:
    // A decoder that has seen power-on, then `tuningEvents`.
    static AccessDecoder decoded(const Events& powerOnEvents, const Events& tuningEvents) {
        AccessDecoder decoder;
        feed(decoder, powerOnEvents);
        feed(decoder, tuningEvents);
        return decoder;
    }
};

TEST_F(AccessDecoderTest, ARealTuningDecodesToItsWordsAndTheFrequencyOnTheDisplay) {
    const AccessDecoder decoder = decoded(powerOn, tuning);

    const AccessDecoder::Synthesizer& words = decoder.synthesizer();
    EXPECT_EQ(words.controlWord, 71);
    EXPECT_EQ(words.referenceWord, 800);
    EXPECT_EQ(words.dividerWord, 14840);
    EXPECT_EQ(words.bitsShifted, 0);
    EXPECT_EQ(words.wordsOfWrongLength, 0u);
    EXPECT_EQ(decoder.receiveKHz(), Tuned137700);
    EXPECT_EQ(receiver.panel().LedDisplay1.text, "137.700");
    EXPECT_EQ(decoder.agreementWith(Tuned137700), Agreement::Agrees);
    EXPECT_EQ(decoder.agreementWith(137710.0), Agreement::Disagrees);
    EXPECT_EQ(decoder.agreementWith(std::nullopt), Agreement::Unknown);
}

TEST_F(AccessDecoderTest, EachDividerBitFlippedDecodesAsDisagreeingWithTheDisplay) {
    for (int bit = 0; bit < SynthDividerBits; ++bit) {
        SCOPED_TRACE("divider bit " + std::to_string(bit));
        const int clock = SynthDividerBits - 1 - bit;  // most significant bit first
        const AccessDecoder decoder =
            decoded(powerOn, flippedAtClock(tuning, clock, DataLine::SynthData));
        EXPECT_EQ(decoder.synthesizer().dividerWord, 14840 ^ (1 << bit));
        EXPECT_EQ(decoder.agreementWith(Tuned137700), Agreement::Disagrees);
    }
}

TEST_F(AccessDecoderTest, AMissingClockPulseOrEnableDecodesAsDisagreeing) {
    // Fifteen bits make the chip take the divider word for a reference word.
    const AccessDecoder noClock = decoded(powerOn, flippedAtClock(tuning, 3, DataLine::SynthClock));
    EXPECT_EQ(noClock.synthesizer().dividerWord, 14270);
    EXPECT_NE(noClock.synthesizer().referenceWord, 800);
    EXPECT_EQ(noClock.agreementWith(Tuned137700), Agreement::Disagrees);

    Events noEnable = tuning;
    ASSERT_FALSE(noEnable.empty());
    noEnable.back().access.value ^= static_cast<std::uint8_t>(value(DataLine::SynthEnable));
    const AccessDecoder unlatched = decoded(powerOn, noEnable);
    EXPECT_EQ(unlatched.synthesizer().dividerWord, 14270);  // still power-on's 132.000 MHz
    EXPECT_EQ(unlatched.synthesizer().bitsShifted, 16);
    EXPECT_EQ(unlatched.agreementWith(Tuned137700), Agreement::Disagrees);
}

TEST_F(AccessDecoderTest, AControlWordOneBitOffDisagreesThoughTheFrequencyMatches) {
    // Power-on sends the control and reference words twice; the second pair is what stays.
    const int secondControlWord = SynthControlBits + SynthReferenceBits;
    const AccessDecoder decoder =
        decoded(flippedAtClock(powerOn, secondControlWord, DataLine::SynthData), tuning);
    EXPECT_EQ(decoder.synthesizer().controlWord, 71 ^ 0x80);
    EXPECT_EQ(decoder.receiveKHz(), Tuned137700);
    EXPECT_EQ(decoder.agreementWith(Tuned137700), Agreement::Disagrees);
}

// The decoder must read any stream as the chip does; the simulated board models the chip, so
// both take the same damaged streams and must end with the same words.
TEST_F(AccessDecoderTest, DecodesDamagedStreamsToTheWordsTheSimulatedChipLatches) {
    std::mt19937 random(7);
    Events stream = powerOn;
    stream.insert(stream.end(), tuning.begin(), tuning.end());
    for (int trial = 0; trial < 200; ++trial) {
        Events damaged = stream;
        for (int flips = 0; flips < 3; ++flips) {
            Recorder::Event& event = damaged[random() % damaged.size()];
            if (event.kind == Recorder::Kind::Write && event.access.reg == Register::Data) {
                event.access.value ^= static_cast<std::uint8_t>(1u << (random() % 8));
            }
        }
        sim::SimulatedBoard chip;
        AccessDecoder decoder;
        for (const Recorder::Event& event : damaged) {
            if (event.kind == Recorder::Kind::Write) {
                chip.write(event.access);
            }
        }
        feed(decoder, damaged);
        const sim::SynthesizerChip::State held = chip.snapshot().synthesizer;
        ASSERT_EQ(decoder.synthesizer().controlWord, held.controlWord) << "trial " << trial;
        ASSERT_EQ(decoder.synthesizer().referenceWord, held.referenceWord) << "trial " << trial;
        ASSERT_EQ(decoder.synthesizer().dividerWord, held.dividerWord) << "trial " << trial;
        ASSERT_EQ(decoder.synthesizer().bitsShifted, held.bitsShifted) << "trial " << trial;
    }
}

TEST_F(AccessDecoderTest, ConverterBytesGoToTheChannelTheTransferBeforeAddressed) {
    board.setStations({{"test", Tuned137700, 6.5, 20.0}});  // byte 95, shown as 6.5 exactly
    AccessDecoder decoder = decoded(powerOn, tuning);
    receiver.Timer1_Timer();
    receiver.Timer1_Timer();  // the second tick's first transfer brings channel 3
    feed(decoder, take());

    const sim::BoardSnapshot held = board.snapshot();
    for (std::size_t channel = 0; channel < held.channels.size(); ++channel) {
        ASSERT_TRUE(decoder.conversions()[channel].has_value()) << "channel " << channel;
        EXPECT_EQ(decoder.conversions()[channel]->byte, held.channels[channel]);
    }
    EXPECT_EQ(decoder.conversions()[0]->count, 2u);
    EXPECT_EQ(decoder.conversions()[3]->count, 1u);
    EXPECT_EQ(decoder.signalLevel(), 6.5);
    EXPECT_EQ(decoder.supplyVolts(), 12.0);
    EXPECT_EQ(decoder.incompleteTransfers(), 0u);
}

TEST_F(AccessDecoderTest, PowerMuteAndVolumeAreTheLinesAsDriven) {
    AccessDecoder decoder = decoded(powerOn, tuning);
    receiver.HSlider4_Change(5);
    receiver.Toggle2_Change(true);
    receiver.Timer1_Timer();  // the mute line follows at the next data write
    feed(decoder, take());
    EXPECT_TRUE(decoder.powered());
    EXPECT_EQ(decoder.muted(), board.muted());
    EXPECT_EQ(decoder.volume(), board.volume());
    EXPECT_EQ(decoder.volume(), 5);

    receiver.Toggle7_Change(false);
    feed(decoder, take());
    EXPECT_FALSE(decoder.powered());
    EXPECT_TRUE(decoder.muted());
    EXPECT_EQ(decoder.volume(), 0);                               // the silent code
    EXPECT_FALSE(decoder.synthesizer().dividerWord.has_value());  // the chip lost its words
    EXPECT_FALSE(decoder.receiveKHz().has_value());
}

TEST(AccessDecoder, CountsDroppedAccessesAndDecodesNothingFromThem) {
    Recorder recorder;
    MemorySettings settings;
    MessageQueue messages;
    Receiver receiver{recorder, recorder, settings, messages};
    receiver.Form_Load();
    receiver.Toggle7_Change(true);  // no port chosen: every access is dropped
    receiver.Timer1_Timer();
    AccessDecoder decoder;
    feed(decoder, recorder.events());

    EXPECT_EQ(decoder.counts().writes, recorder.count(Recorder::Kind::Write));
    EXPECT_EQ(decoder.counts().reads, recorder.count(Recorder::Kind::Read));
    EXPECT_EQ(decoder.counts().dropped, decoder.counts().writes + decoder.counts().reads);
    EXPECT_FALSE(decoder.powered());
    EXPECT_FALSE(decoder.synthesizer().controlWord.has_value());
    EXPECT_FALSE(decoder.volume().has_value());
}

// The program's decoder hears the tap's batches and, unwatched, only the lines it follows; it
// must hold what a decoder told every access holds, and the converter's bytes once watched.
TEST(BatchedAccessDecoder, HoldsWhatADecoderToldEveryAccessHolds) {
    sim::SimulatedBoard board;
    board.band().setJitter(0);
    Recorder recorder{&board};
    PortTap tap{recorder, recorder};
    AccessDecoder batched;
    AccessDecoder everyAccess;
    batched.setWatching(false);
    tap.addBatchListener(batched);
    tap.addListener(everyAccess);
    MemorySettings settings;
    MessageQueue messages;
    Receiver receiver{tap, tap, settings, messages};
    // Each handler's accesses delivered after it, as the program does.
    const auto run = [&tap](auto&& handler) {
        handler();
        tap.deliver();
    };
    const auto expectSame = [&batched, &everyAccess] {
        EXPECT_EQ(batched.synthesizer().controlWord, everyAccess.synthesizer().controlWord);
        EXPECT_EQ(batched.synthesizer().referenceWord, everyAccess.synthesizer().referenceWord);
        EXPECT_EQ(batched.synthesizer().dividerWord, everyAccess.synthesizer().dividerWord);
        EXPECT_EQ(batched.synthesizer().words, everyAccess.synthesizer().words);
        EXPECT_EQ(batched.powered(), everyAccess.powered());
        EXPECT_EQ(batched.muted(), everyAccess.muted());
        EXPECT_EQ(batched.controlRegister(), everyAccess.controlRegister());
        EXPECT_EQ(batched.counts().writes, everyAccess.counts().writes);
        EXPECT_EQ(batched.counts().reads, everyAccess.counts().reads);
        EXPECT_EQ(batched.counts().dropped, everyAccess.counts().dropped);
    };

    run([&receiver] { receiver.Form_Load(); });
    run([&receiver] { receiver.choosePort(Lpt1Base); });
    run([&receiver] { receiver.Toggle7_Change(true); });
    run([&receiver] { receiver.LedDisplay1_Entry("137.7"); });
    for (int tick = 0; tick < 3; ++tick) {
        run([&receiver] { receiver.Timer1_Timer(); });
    }
    expectSame();
    EXPECT_EQ(batched.receiveKHz(), 137700.0);
    EXPECT_FALSE(batched.conversions()[0].has_value());

    batched.setWatching(true);
    tap.askInterest();
    for (int tick = 0; tick < 2; ++tick) {
        run([&receiver] { receiver.Timer1_Timer(); });
    }
    expectSame();
    for (std::size_t channel : {0u, 1u}) {
        ASSERT_TRUE(batched.conversions()[channel].has_value());
        EXPECT_EQ(batched.conversions()[channel]->byte, everyAccess.conversions()[channel]->byte);
    }

    batched.setWatching(false);
    tap.askInterest();
    run([&receiver] { receiver.Toggle7_Change(false); });
    expectSame();
    EXPECT_FALSE(batched.synthesizer().dividerWord.has_value());
}

}  // namespace
}  // namespace orvex::test
