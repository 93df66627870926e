#include "app/key_commands.h"

#include "model/scene_state.h"

constexpr std::uintptr_t CaseBit = 0x20;
constexpr std::uintptr_t KeyT = 0x54;
constexpr std::uintptr_t KeyN = 0x4E;
constexpr std::uintptr_t KeyQ = 0x51;

KeyAction ApplyKey(std::uintptr_t keyCode)
{
    const std::uintptr_t code = keyCode & ~CaseBit;
    if (code == KeyT) {
        Scene.ShowTangents ^= 1;
        if (Scene.ShowTangents) {
            Scene.ShowNormals = 0;
        }
    } else if (code == KeyN) {
        Scene.ShowNormals ^= 1;
        if (Scene.ShowNormals) {
            Scene.ShowTangents = 0;
        }
    } else if (code == KeyQ) {
        return KeyAction::Quit;
    }
    return KeyAction::None;
}
