// The dialog's value mappings and texts, and the main window's key table.
#include <gtest/gtest.h>

#include <string>

#include "controls/key_commands.h"
#include "controls/slider_mappings.h"
#include "render/view_mapping.h"
#include "scene_fixture.h"

namespace {

std::string Text(Slider slider, double value)
{
    char buffer[64];
    FormatSliderValue(slider, value, buffer, sizeof buffer);
    return buffer;
}

float Field(Slider slider)
{
    const float fields[] = {Scene.Altitude, Scene.Amplitude, Scene.WaveNumber, Scene.PhaseStep};
    return fields[static_cast<int>(slider)];
}

using Controls = SceneTest;

TEST_F(Controls, SliderStartTextsPositionsAndStoredValues)
{
    const struct {
        Slider Which;
        const char* Text;
        int Position;
    } starts[] = {{Slider::Altitude, "395.7", 104},
                  {Slider::Amplitude, " 11.3", 10},
                  // The wave number is a float: 120 - k * 100 / 0.017453293 is just below 68.
                  {Slider::Frequency, " 0.52", 67},
                  {Slider::Phase, " 7.5", 25}};
    for (const auto& s : starts) {
        EXPECT_EQ(Text(s.Which, StartDisplayValue(s.Which)), s.Text);
        EXPECT_EQ(SliderStartPosition(s.Which), s.Position) << s.Text;
    }
    // Touched at the start position without moving, then at the top and the bottom.
    const double k = 0.00017453293;
    const struct {
        Slider Which;
        int Position;
        const char* Text;
        float Stored;
    } moves[] = {
        {Slider::Altitude, 104, "396.0", 396},
        {Slider::Altitude, 100, "400.0", 400},
        {Slider::Altitude, 400, "100.0", 100},
        {Slider::Amplitude, 10, " 12.0", 12},
        {Slider::Amplitude, 0, " 22.0", 22},
        {Slider::Amplitude, 22, "  0.0", 0},
        {Slider::Frequency, 67, " 0.53", static_cast<float>(53 * k)},
        {Slider::Frequency, 0, " 1.20", static_cast<float>(120 * k)},
        {Slider::Frequency, 120, " 0.00", 0},
        {Slider::Phase, 25, " 7.5", 7.5f},
        {Slider::Phase, -40, "14.0", 14},
        {Slider::Phase, 150, "-5.0", -5},
    };
    for (const auto& m : moves) {
        EXPECT_EQ(Text(m.Which, SliderDisplayValue(m.Which, m.Position)), m.Text);
        StoreSliderValue(m.Which, m.Position);
        EXPECT_EQ(Field(m.Which), m.Stored) << m.Text;
    }
    EXPECT_EQ(Scene.Frequency, 0.52f);  // never written after start-up
    // Far outside every range the arithmetic stays defined.
    EXPECT_EQ(SliderDisplayValue(Slider::Altitude, -2147483647 - 1), 500.0 + 2147483648.0);
    Scene.Altitude = 1e30f;
    EXPECT_EQ(SliderStartPosition(Slider::Altitude), -2147483647 - 1);
}

enum Whiskers { Normals, Tangents, None };

Whiskers Current()
{
    EXPECT_FALSE(Scene.ShowTangents && Scene.ShowNormals);
    return Scene.ShowTangents ? Tangents : Scene.ShowNormals ? Normals : None;
}

TEST_F(Controls, OnlyOurKeysActWithBit0x20IgnoredForTNAndQ)
{
    // From normals, tangents, none: what T and N lead to.
    const Whiskers afterT[] = {Tangents, None, Tangents}, afterN[] = {None, Normals, Normals};
    for (std::uintptr_t code = 0; code < 0x200; ++code) {
        // With bit 0x20 ignored, F5 (0x74), the keypad's '.' (0x6E) and F2 (0x71) act as T, N and Q.
        const bool isT = code == 0x54 || code == 0x74, isN = code == 0x4E || code == 0x6E;
        const bool isQ = code == 0x51 || code == 0x71;
        for (int start = Normals; start <= None; ++start) {
            Scene.ShowNormals = start == Normals, Scene.ShowTangents = start == Tangents;
            const KeyAction action = ApplyKey(code);
            EXPECT_EQ(Current(), isT ? afterT[start] : isN ? afterN[start] : start) << std::hex << code;
            const KeyAction expected = isQ            ? KeyAction::Quit
                                       : code == 0x52 ? KeyAction::ReceiverToggled  // R, but not F3 (0x72)
                                       : code == 0x70 ? KeyAction::Help             // F1
                                                      : KeyAction::None;
            EXPECT_EQ(action, expected) << std::hex << code;
        }
    }
    EXPECT_EQ(ApplyKey(0x10054), KeyAction::None);  // the higher bits count
}

TEST_F(Controls, ReceiverAndDriftKeys)
{
    ApplyKey(0x27);  // Right, while the receiver is hidden: it stays
    EXPECT_EQ(Viewer.Receiver.X, 900);
    ApplyKey(0x52);
    ASSERT_TRUE(Viewer.ReceiverShown);
    const struct {
        std::uintptr_t Key;
        int Times;
        double X;
    } moves[] = {{0x27, 1, 910}, {0x25, 3, 880}, {0x25, 200, 1}, {0x27, 200, 1500}};
    for (const auto& m : moves) {
        for (int i = 0; i < m.Times; ++i) {
            ApplyKey(m.Key);
        }
        EXPECT_EQ(Viewer.Receiver.X, m.X) << m.Times << " x " << m.Key;
    }
    ApplyKey(0xBE);  // a step while running asks for nothing
    ApplyKey(0x20);
    EXPECT_TRUE(Viewer.Paused && !Viewer.StepPending);
    ApplyKey(0xBE);
    EXPECT_TRUE(Viewer.StepPending);
    ApplyKey(0x20);
    EXPECT_FALSE(Viewer.Paused);
    // A click puts the receiver where the column shows it, within its range.
    for (int column = 7; column < 1000; column += 31) {
        EXPECT_NEAR(MapToScreenX(ReceiverXAtColumn(column)), column, 1) << column;
    }
    EXPECT_TRUE(ReceiverXAtColumn(-50) == 1 && ReceiverXAtColumn(5000) == 1500);
}

}  // namespace
