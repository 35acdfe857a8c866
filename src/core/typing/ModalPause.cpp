#include "ModalPause.h"

#include "Commands.h"
#include "TypingEngine.h"

ModalPause::ModalPause(const TypingEngine& engine, Commands& commands)
    : commands_(commands), resume_(!engine.stopMode) {
    commands_.ActionPause();
}

ModalPause::~ModalPause() {
    if (resume_) {
        commands_.ActionContinue();
    }
}
