#include "varim/panels/radio_wide_info.h"

#include "varim/db/field_text.h"
#include "varim/db/radio_option_names.h"
#include "varim/db/value_lists.h"

namespace varim::panels {

namespace {

// The option grid names this entry after what it gives the radio rather than by its file key.
constexpr int kGlobalAleOption = 10;
constexpr const char* kGlobalAleName = "Global ALE";

template <std::size_t Count, std::size_t Width>
std::vector<std::string> Texts(const char (&list)[Count][Width]) {
  std::vector<std::string> texts;
  for (const auto& entry : list)
    if (std::string text = varim::db::FieldText(entry); !text.empty()) texts.push_back(text);
  return texts;
}

}  // namespace

RadioWideInfo RadioWideInfoOf(const dbase& radio) {
  using varim::db::FieldText;
  RadioWideInfo info{
      .fields = {{{"Serial No.", FieldText(radio.serial_number)},
                  {"Radio Code", FieldText(radio.radio_code)},
                  {"Software Ver.", FieldText(radio.software_version)},
                  {"Hardware Ver.", FieldText(radio.hardware_version)},
                  {"C.H. S/W Ver.", FieldText(radio.control_head_software_version)},
                  {"C.H. H/W Ver.", FieldText(radio.control_head_hardware_version)}}},
      .ecnList = Texts(radio.ecn_list),
      .spList = Texts(radio.sp_list),
      .options = {},
  };
  for (int index = 0; index < kRadioOptions; ++index) {
    const radio_option& option = radio.options[index];
    info.options.push_back(
        {index == kGlobalAleOption ? kGlobalAleName : varim::db::kRadioOptionNames[index],
         FieldText(option.sw_version), FieldText(option.hw_version),
         varim::db::CodeToText(varim::db::lists::kOptionStatus, option.status == 1 ? 1 : 0)});
  }
  return info;
}

}  // namespace varim::panels
