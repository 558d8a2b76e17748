#include "rftest/rf_messages.h"

#include "base/format.h"

namespace tessorin {

std::string registerWriteFailedText(const MessageTable& messages, std::string_view label) {
    return formatText(messages.isChinese() ? "设置[%s]失败: 寄存器写入未能发送到下载板\n"
                                           : "set [%s] fail! the register write did not reach the download board\n",
                      {label});
}

std::string badDriftCommandText(const MessageTable& messages, std::string_view keyName, std::string_view command) {
    return formatText(messages.isChinese()
                          ? "INI错误: %s [%s] 必须是地址、空格和最多8位的数值\n"
                          : "INI error: %s [%s] must be an address, a space and a value of at most 8 digits\n",
                      {keyName, command});
}

std::string missingPowerValueText(const MessageTable& messages, int level, int registerIndex) {
    return formatText(messages.isChinese() ? "INI错误: chip_power_value 缺少功率档位%d在寄存器%d上的值\n"
                                           : "INI error: chip_power_value has no value for power level %d of register %d\n",
                      {level, registerIndex});
}

}  // namespace tessorin
