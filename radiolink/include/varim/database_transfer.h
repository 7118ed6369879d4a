#pragma once

#include <cstdint>
#include <vector>

#include "varim/export.h"
#include "varim/message_engine.h"
#include "varim/radio_records.h"

// Moving the radio's programmable memory to and from the records, in chunks of at most 200
// bytes through the engine's request-answer path. Results are 1 when every section moved, else
// 0. The numbers the radio keeps big-endian are converted on the way in and out; the caller's
// record is never changed by a write.
//
// Progress: after every chunk the continue callback is called with the chunk's byte count (0
// ends the transfer at once), then the progress callback. Both are library-wide, set on entry
// and cleared on every exit, so one transfer runs at a time. Either may be null.

using TransferCallback = int (*)(int byteCount);

// A chunk the radio refuses is sent again this many times before the transfer fails: a radio
// that keeps refusing would otherwise hold the program for ever.
inline constexpr int kMaxRefusedChunkResends = 10;
inline constexpr int kMaxChunkBytes = 200;

// The radio record. flag 1 also moves the service area (band settings, service word and byte);
// a write sends only the language byte of the first 1270 bytes, and no stop frame.
VARIM_API int ReadRadioDataBase(MessageEngine* engine, dbase* radio, int flag,
                                TransferCallback progress, TransferCallback proceed, int pauseMs);
VARIM_API int WriteRadioDataBase(MessageEngine* engine, const dbase* radio, int flag,
                                 TransferCallback progress, TransferCallback proceed, int pauseMs);

// The ALE record. After a write, when no more data follows (all three bytes 0), the radio's
// programming mode is ended.
VARIM_API int ReadAleDataBase(MessageEngine* engine, ale_dbase* ale, TransferCallback progress,
                              TransferCallback proceed, int pauseMs);
VARIM_API int WriteAleDataBase(MessageEngine* engine, const ale_dbase* ale,
                               TransferCallback progress, TransferCallback proceed, int pauseMs,
                               std::uint8_t first, std::uint8_t second, std::uint8_t third);

VARIM_API int ReadCcirDataBase(MessageEngine* engine, ccir_dbase* ccir, TransferCallback progress,
                               TransferCallback proceed, int pauseMs);
VARIM_API int WriteCcirDataBase(MessageEngine* engine, const ccir_dbase* ccir,
                                TransferCallback progress, TransferCallback proceed, int pauseMs);

VARIM_API int ReadChannelNameDataBase(MessageEngine* engine, channel_name* names,
                                      TransferCallback progress, TransferCallback proceed,
                                      int pauseMs);
VARIM_API int WriteChannelNameDataBase(MessageEngine* engine, const channel_name* names,
                                       TransferCallback progress, TransferCallback proceed,
                                       int pauseMs, std::uint8_t moreFollows);

// Global members: the radio keeps the names and the member bytes apart, each member as
// value + 1 with 0 for none.
VARIM_API int ReadGlobalMemberDataBase(MessageEngine* engine, ale_dbase_global_members* members,
                                       TransferCallback progress, TransferCallback proceed,
                                       int pauseMs);
VARIM_API int WriteGlobalMemberDataBase(MessageEngine* engine,
                                        const ale_dbase_global_members* members,
                                        TransferCallback progress, TransferCallback proceed,
                                        int pauseMs, std::uint8_t moreFollows);

// Extra options: the radio stores "Auto" (0) channels as 100. A write always ends programming.
VARIM_API int ReadExtraOptionDataBase(MessageEngine* engine, tag_extra_options* options,
                                      TransferCallback progress, TransferCallback proceed,
                                      int pauseMs);
VARIM_API int WriteExtraOptionDataBase(MessageEngine* engine, const tag_extra_options* options,
                                       TransferCallback progress, TransferCallback proceed,
                                       int pauseMs);

// Any stretch of memory: with start and stop frames around it, or the chunked write alone.
VARIM_API int ProgramRadioMemorySection(MessageEngine* engine, const std::uint8_t* bytes,
                                        long address, int length);
VARIM_API int WriteRADIOMemorySection(MessageEngine* engine, const std::uint8_t* bytes,
                                      long address, int length);
// The chunked read of any stretch of memory, as the radio holds it (no byte-order change).
VARIM_API int ReadRADIOMemorySection(MessageEngine* engine, std::uint8_t* bytes, long address,
                                     int length);
VARIM_API int StartRADIOProgramming(MessageEngine* engine);
VARIM_API int StopRADIOProgramming(MessageEngine* engine);

// Single reads: the radio software version (8 bytes at 0), the program word (4 at 8), the
// software version that tells the generations apart (8 at 60), the option list (into the
// wide information from its offset 68).
VARIM_API int ReadRadioSoftwareVersion(MessageEngine* engine, std::uint8_t* buffer);
VARIM_API int ReadProgramWord(MessageEngine* engine, std::uint8_t* buffer);
VARIM_API int ReadSoftwareVersion(MessageEngine* engine, std::uint8_t* buffer);
VARIM_API int ReadOptionList(MessageEngine* engine, wide_i* wide);

// The channel the radio works on now; 0 (and the record untouched) unless the answer has its
// 16 bytes.
VARIM_API int ReadCurrentChannel(MessageEngine* engine, channel* current);
// Programs channel n (1..200) alone; 1 when the write was acknowledged.
VARIM_API int ProgramChannelNumberN(MessageEngine* engine, const channel* programmed, int n);

// One stretch of radio memory as a write of a record leaves it: the write sends these, and a
// check of the radio after writing compares them with what it reads back.
struct MemorySectionImage {
  const char* name;  // "Channels", "ALE Directory", ...
  long address;
  std::vector<std::uint8_t> bytes;
};

// What the write functions send, section by section, in their order (flag as for the write).
VARIM_API std::vector<MemorySectionImage> RadioDataBaseImage(const dbase& radio, int flag);
VARIM_API std::vector<MemorySectionImage> AleDataBaseImage(const ale_dbase& ale);
VARIM_API std::vector<MemorySectionImage> CcirDataBaseImage(const ccir_dbase& ccir);
VARIM_API std::vector<MemorySectionImage> ChannelNameDataBaseImage(const channel_name& names);
VARIM_API std::vector<MemorySectionImage> GlobalMemberDataBaseImage(
    const ale_dbase_global_members& members);
VARIM_API std::vector<MemorySectionImage> ExtraOptionDataBaseImage(
    const tag_extra_options& options);

// The fields the radio keeps big-endian, swapped between host order and the radio's order (the
// same swap both ways): channel frequencies, guard and priority channels, the service word
// (only with serviceArea), and every net's All Call channel.
VARIM_API void SwapRadioDatabaseOrder(dbase& radio, bool serviceArea);
VARIM_API void SwapAleDatabaseOrder(ale_dbase& ale);
