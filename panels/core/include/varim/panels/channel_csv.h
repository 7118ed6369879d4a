#pragma once

#include <string>
#include <string_view>

#include "varim/radio_records.h"

namespace varim::panels {

// The radio's channels as comma-separated values, for operators who keep their frequency plan
// in a spreadsheet: this header, then one row a programmed channel, in channel order.
// Frequencies are MHz with five decimals, an empty cell for none. Power, Band (the sideband),
// Mode, AGC and BW (the bandwidth) hold the texts the .rss file holds: Low, Medium, High, Max;
// LSB, USB; SSB, PLT, AME, ISB; Slow, Fast, Off; 2700, 3300, LSM, CW, 3000, 2100. Lines end in
// CRLF, which spreadsheets read on either system.
inline constexpr std::string_view kChannelCsvHeader =
    "Channel,Tx MHz,Rx MHz,Power,Band,Mode,AGC,BW";

// The programmed channels of the radio record. A code that no list knows is written as an
// empty cell, as the .rss file writes it; such a file is refused on import until it is filled.
std::string ChannelsCsv(const dbase& radio);

struct ChannelCsvImport {
  bool ok = false;
  int line = 0;        // 1-based, of the refused line; 0 when ok
  std::string reason;  // why that line was refused, in English, without the line number
  int channels = 0;    // the channels the file programmed, when ok
};

// Takes the file as the radio's whole channel plan. Every line is checked as the channel editor
// checks an entry (a transmit frequency 0 or 1.6 to 30 MHz, a receive frequency 0 or 0.1 to
// 30 MHz, not both 0), the channel number must be 1 to 200 and listed once, and the list texts
// must be exactly the ones above, case included. The first line in error refuses the whole
// file and the record is left as it was. On success each listed channel is replaced and every
// other channel is cleared to zero bytes, unprogrammed: a channel deleted from the spreadsheet
// is deleted from the radio. Scan groups, nets, the priority channel and the CCIR numbers are
// not touched; the configuration check reports those that name a cleared channel.
//
// LF or CRLF line ends are taken, so are an empty last line and the byte-order mark some
// spreadsheets put first. Quoted fields are not: no text of this table needs one, and a quote
// is refused rather than misread.
ChannelCsvImport ImportChannelsCsv(std::string_view text, dbase& radio);

}  // namespace varim::panels
