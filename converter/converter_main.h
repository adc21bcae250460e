// The converter: one routine that runs every numbered step in order.
#pragma once

// Runs the whole conversion on the program thread; never returns.
[[noreturn]] void converter_main();
