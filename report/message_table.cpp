#include "report/message_table.h"

#include <cstdio>
#include <mutex>

#include "base/format.h"
#include "report/code_page.h"
#include "report/log.h"

namespace tessorin {
namespace {

struct Entry {
    const char* chinese;
    const char* english;
};

// Index order is MessageId order.
constexpr Entry kEntries[kMessageCount] = {
    {"当前选择:%s\n", "current choose:%s\n"},
    {"current version:[%s]\n", "current version:[%s]\n"},
    {"Rom文件路径:%s\n", "RomPath:%s\n"},
    {"命令行中Rom文件路径:%s\n", "romFileWithCommand:%s\n"},
    {"选择INI", "Select INI"},
    {"选择ROM", "Select ROM"},
    {"下载", "Download"},
    {"拖动ini文件或者rom文件到程序", "drag the INI file or download the firmware into the program"},
    {"ROM路径", "ROM Path"},
    {"RF模式", "RF Mode"},
    {"请选择下拉框,在进行操作\n", "Please select from the dropdown menu before proceeding.\n"},
    {"正在下载...\n", "downloading...\n"},
    {"下载失败\n", "download fail!\n"},
    {"下载成功\n", "download success!\n"},
    {"下载结束!\n", "download finish!\n"},
    {"e ep下载失败\n", "e ep fail!\n"},
    {"e ep下载成功\n", "e ep success!\n"},
    {"打USB失败\n", "Failed to openUSB.\n"},
    {"再次尝试打USB\n", "Attempt to reopen theUSB.\n"},
    {"打USB成功\n", "USB opened successfully.\n"},
    {"握手成功\n", "handshake is successfully.\n"},
    {"下载线程启动失败\n", "download file thread start fail\n"},
    {"开始下载...\n", "download start.\n"},
    {"已经下载固件，请更换设备\n", "Firmware has been downloaded, please replace the device.\n"},
    {"等待连接...\n", "waiting connect\n"},
    {"请先选择ROM文件\n", "please select ROM file first\n"},
    {"正在下载，请稍后重试\n", "downloading,please try again later\n"},
    {"文件格式不支持\n", "file format error\n"},
    {"下载文件不存在\n",
     "The file to be downloaded does not exist. Please verify and try downloading again.\n"},
    {"请选择芯片型号\n", "please select chip typeKeyStr\n"},
    {"请选择2.4g Frequency\n", "please select 2.4g Frequency\n"},
    {"设置2.4g Frequency成功\n", "set 2.4g Frequency succeed\n"},
    {"请确认下载板已经链接\n", "confirm that the download board is linked\n"},
    {"关闭USB异常\n", "usb close in exception\n"},
    {"关闭USB成功\n", "usb close success\n"},
    {"类型不支持\n", "This chip typeKeyStr is unsupport!\n"},
    {"输入越界\n", "input value not in range\n"},
    {"字符串不能为空\n", "string must have value\n"},
    {"请先选择再进行操作\n", "please select power typeKeyStr\n"},
    {"只支持一个文件操作\n", "only support one file\n"},
    {"未捕获的异常\n", "This is a exception without handling\n"},
};

}  // namespace

MessageTable::MessageTable(int codePage) : chinese_(codePage == kChineseCodePage) {
    for (int i = 0; i < kMessageCount; ++i) entries_[i] = chinese_ ? kEntries[i].chinese : kEntries[i].english;
}

const MessageTable& buildMessageTable() {
    static std::once_flag once;
    static const MessageTable* table = nullptr;
    std::call_once(once, [] {
        int codePage = systemCodePage();
        writeTrace(formatText("cur encoding:%d\n", {codePage}));
        table = new MessageTable(codePage);  // lives until the process ends
    });
    return *table;
}

}  // namespace tessorin
