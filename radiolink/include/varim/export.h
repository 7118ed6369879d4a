#pragma once

// Marks what the VarimAPI shared library exports; everything else stays internal.
#define VARIM_API __attribute__((visibility("default")))
