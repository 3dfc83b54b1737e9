#pragma once

// The program's start-up sequence, from the entry point to the running event loop. Each step
// is its own function so that the order reads as it runs.
void _Main();
void _EarlyStartup();
void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
void _LateStartup();
void _MakeDefaultView();
