#include "varim/panels/bite_tables.h"

namespace varim::panels {

namespace {

struct BiteItem {
  int number;
  const char* name;
};

// The radio's own names for its test items; the table ends at the key no item number reaches.
constexpr int kEndOfItems = 32768;
constexpr BiteItem kBiteItemNames[] = {
    {1, "DSP - Boot Checksum"},
    {2, "DSP - PLL Lock"},
    {3, "DSP - External RAM"},
    {4, "IMIC- RAM"},
    {5, "DSP - Internal RAM"},
    {6, "DSP - ABACUS"},
    {7, "DSP - DSM"},
    {8, "Main CPU -Flash Memory Checksum"},
    {9, "Main CPU - RAM"},
    {10, "16.8Mhz Clock"},
    {11, "Backup Battery"},
    {12, "Control Head - Wakeup"},
    {13, "Control Head - Response"},
    {14, "Radio Programmed"},
    {15, "Data Base"},
    {16, "VCO1 First Injection"},
    {17, "VCO2 First Injection"},
    {18, "VCO3 First Injection"},
    {19, "VCO Second Injection"},
    {20, "Synthesizer Lock"},
    {21, "Receiver"},
    {22, "Preselector - Range 1"},
    {23, "Preselector - Range 2"},
    {24, "Preselector - Range 3"},
    {25, "Preselector - Range 4"},
    {26, "Preselector - Range 5"},
    {27, "Preselector - Range 6"},
    {28, "Preselector - Range 7"},
    {29, "Preselector - Range 8"},
    {30, "Exciter"},
    {31, "Antenna Match"},
    {32, "Harmonic Filter - Range 1"},
    {33, "Harmonic Filter - Range 2"},
    {34, "Harmonic Filter - Range 3"},
    {35, "Harmonic Filter - Range 4"},
    {36, "Harmonic Filter - Range 5"},
    {37, "Harmonic Filter - Range 6"},
    {38, "Harmonic Filter - Range 7"},
    {39, "PA - Power Amplifier"},
    {kEndOfItems, ""},
};

}  // namespace

BiteResultClass BiteResultClassOf(std::uint8_t byte) {
  for (const BiteResultCode& code : kBiteResultCodes) {
    if (code.byte == byte) return code.resultClass;
  }
  return BiteResultClass::kIgnored;
}

const char* BiteResultWord(BiteResultClass resultClass) {
  for (const BiteResultCode& code : kBiteResultCodes) {
    if (code.resultClass == resultClass) return code.word;
  }
  return kBiteIgnoredWord;
}

std::string BiteItemName(int number) {
  for (const BiteItem* item = kBiteItemNames; item->number != kEndOfItems; ++item) {
    if (item->number == number) return item->name;
  }
  return {};
}

}  // namespace varim::panels
