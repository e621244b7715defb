// The layout area's start-up: registration of its classes, implementations and commands.
#pragma once

// Registers every class of the layout area; called once from the host's start-up, after the text area.
void RegisterLayoutClasses();
