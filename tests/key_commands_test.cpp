#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "app/key_commands.h"
#include "scene_fixture.h"

using KeyCommands = SceneTest;

enum class Whiskers { Normals, Tangents, None };

static Whiskers Current()
{
    EXPECT_FALSE(Scene.ShowTangents && Scene.ShowNormals);
    return Scene.ShowTangents ? Whiskers::Tangents : Scene.ShowNormals ? Whiskers::Normals : Whiskers::None;
}

TEST_F(KeyCommands, ThreeStateWhiskerMachine)
{
    EXPECT_EQ(Current(), Whiskers::Normals);
    ApplyKey('T');
    EXPECT_EQ(Current(), Whiskers::Tangents);
    ApplyKey('t');
    EXPECT_EQ(Current(), Whiskers::None);
    ApplyKey('N');
    EXPECT_EQ(Current(), Whiskers::Normals);
    ApplyKey('n');
    EXPECT_EQ(Current(), Whiskers::None);
    ApplyKey('T');
    ApplyKey('N');
    EXPECT_EQ(Current(), Whiskers::Normals);
}

TEST_F(KeyCommands, OnlyTnqActWithBit0x20Ignored)
{
    // Transition table: from each state, what T and N lead to.
    const Whiskers afterT[] = {Whiskers::Tangents, Whiskers::None, Whiskers::Tangents};
    const Whiskers afterN[] = {Whiskers::None, Whiskers::Normals, Whiskers::Normals};
    const std::uintptr_t extra[] = {0x154, 0x14E, 0x151, 0x10054, std::uintptr_t(-1)};
    std::vector<std::uintptr_t> codes;
    for (std::uintptr_t code = 0; code < 0x200; ++code) {
        codes.push_back(code);
    }
    codes.insert(codes.end(), std::begin(extra), std::end(extra));

    for (std::uintptr_t code : codes) {
        for (int start = 0; start < 3; ++start) {
            Scene.ShowNormals = start == 0;
            Scene.ShowTangents = start == 1;
            const KeyAction action = ApplyKey(code);
            const bool isT = code == 0x54 || code == 0x74;
            const bool isN = code == 0x4E || code == 0x6E;
            const bool isQ = code == 0x51 || code == 0x71;
            const Whiskers expected = isT ? afterT[start] : isN ? afterN[start] : static_cast<Whiskers>(start);
            EXPECT_EQ(Current(), expected) << std::hex << code << " from " << start;
            EXPECT_EQ(action == KeyAction::Quit, isQ) << std::hex << code;
        }
    }
}
