#pragma once
#include <cstdint>

// What a key press types when a screen takes a name: a capital A to Z for a
// letter (the character the keyboard's layout gives, or the key's symbol
// when the system gives none, as in a replayed movie), '\b' for Backspace,
// '\r' for Return, and 0 for any other key.
char TypedCharacter(int32_t keySymbol, uint16_t unicode);
// Asks the system for the characters of key presses (from now on) or stops.
void AskForTypedCharacters(bool on);
