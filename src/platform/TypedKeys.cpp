#include "platform/TypedKeys.h"
#include <SDL.h>

namespace {
char Capital(int32_t character) {
    if (character >= 'a' && character <= 'z') return char(character - 'a' + 'A');
    if (character >= 'A' && character <= 'Z') return char(character);
    return 0;
}
}

char TypedCharacter(int32_t keySymbol, uint16_t unicode) {
    if (keySymbol == SDLK_BACKSPACE) return '\b';
    if (keySymbol == SDLK_RETURN || keySymbol == SDLK_KP_ENTER) return '\r';
    // A character the layout gives that is no letter types nothing, even
    // where its key's symbol is a letter's.
    if (unicode != 0) return Capital(unicode);
    return Capital(keySymbol);
}

void AskForTypedCharacters(bool on) { SDL_EnableUNICODE(on ? 1 : 0); }
