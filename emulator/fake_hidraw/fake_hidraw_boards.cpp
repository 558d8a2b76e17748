#include "emulator/fake_hidraw/fake_hidraw_boards.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <umockdev.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "base/format.h"
#include "device/chip_id_cache.h"
#include "device/hid_link.h"

namespace tessorin::emulator {
namespace {

constexpr const char* kBusPath = "/devices/pci0000:00/0000:00:14.0/usb1";

// Vendor page: replies are input report 0xF1, requests output report 0xF2, 63 bytes each.
constexpr uint8_t kReportDescriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26,
                                         0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F, 0x85, 0xF1, 0x09, 0x01,
                                         0x81, 0x02, 0x85, 0xF2, 0x09, 0x01, 0x91, 0x02, 0xC0};

std::string descriptorHex() {
    std::string hex;
    for (uint8_t byte : kReportDescriptor) hex += formatText("%02X", {byte});
    return hex;
}

// Copies value into the memory the client's ioctl argument points to.
template <typename T>
void answerIoctl(UMockdevIoctlClient* client, const T& value) {
    UMockdevIoctlData* target = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof value, nullptr);
    if (!target) return umockdev_ioctl_client_complete(client, -1, EFAULT);
    std::memcpy(target->data, &value, sizeof value);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(target);
}

std::string sysDir(UMockdevTestbed* testbed) {
    gchar* dir = umockdev_testbed_get_sys_dir(testbed);
    std::string result = dir;
    g_free(dir);
    return result;
}

void ringDoorbell(int ptyMaster) {
    const char doorbell = 0;
    [[maybe_unused]] ssize_t ignored = ::write(ptyMaster, &doorbell, 1);
}

}  // namespace

// Each runs on umockdev's worker thread, holding the lock.
struct FakeHidrawBoards::Handlers {
    // The client's node while its device is plugged, else null.
    static Node* liveNode(FakeHidrawBoards& self, UMockdevIoctlClient* client) {
        auto found = self.nodes_.find(umockdev_ioctl_client_get_devnode(client));
        return found != self.nodes_.end() && found->second.live ? &found->second : nullptr;
    }

    // Runs answer(self, node) for a request on a plugged device's node; on any
    // other the request fails as on an unplugged hidraw node.
    template <typename Answer>
    static gboolean onLiveNode(gpointer data, UMockdevIoctlClient* client, Answer answer) {
        auto& self = *static_cast<FakeHidrawBoards*>(data);
        std::lock_guard<std::mutex> lock(self.mutex_);
        if (Node* node = liveNode(self, client)) {
            answer(self, *node, umockdev_ioctl_client_get_arg(client));
        } else {
            umockdev_ioctl_client_complete(client, -1, ENODEV);
        }
        return TRUE;
    }

    // hidapi asks for the report descriptor's size when it opens a node.
    static gboolean ioctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        return onLiveNode(data, client, [client](FakeHidrawBoards& self, Node& node, UMockdevIoctlData*) {
            const Device& device = self.devices_[node.device];
            hidraw_report_descriptor descriptor{sizeof kReportDescriptor, {}};
            std::memcpy(descriptor.value, kReportDescriptor, sizeof kReportDescriptor);
            switch (umockdev_ioctl_client_get_request(client)) {
                case HIDIOCGRDESCSIZE: return answerIoctl(client, static_cast<int>(descriptor.size));
                case HIDIOCGRDESC: return answerIoctl(client, descriptor);
                case HIDIOCGRAWINFO:
                    return answerIoctl(client, hidraw_devinfo{BUS_USB, static_cast<__s16>(device.vendorId),
                                                              static_cast<__s16>(device.productId)});
                default: return umockdev_ioctl_client_complete(client, -1, ENOTTY);
            }
        });
    }

    // The reply waits for the next read; its doorbell byte wakes the poll()
    // hidapi makes before reading, which umockdev 0.17 does not forward.
    static gboolean write(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        return onLiveNode(data, client, [client](FakeHidrawBoards& self, Node& node, UMockdevIoctlData* buffer) {
            const size_t size = static_cast<size_t>(buffer->data_len);
            Device& device = self.devices_[node.device];
            if (device.dieAfterRequests > 0 && --device.dieAfterRequests == 0) {
                self.stopAnswering(node);
                return umockdev_ioctl_client_complete(client, -1, ENODEV);
            }
            device.requests.emplace_back(buffer->data, buffer->data + size);
            Report request{};
            std::copy_n(buffer->data, std::min(request.size(), size), request.begin());
            if (std::optional<Report> reply = device.board ? device.board->handle(request) : std::nullopt) {
                node.replies[client].push_back(*reply);
                ringDoorbell(node.ptyMaster);
            }
            umockdev_ioctl_client_complete(client, buffer->data_len, 0);
        });
    }

    static gboolean read(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        return onLiveNode(data, client, [client](FakeHidrawBoards&, Node& node, UMockdevIoctlData* buffer) {
            std::deque<Report>& queue = node.replies[client];
            if (queue.empty()) return umockdev_ioctl_client_complete(client, -1, EAGAIN);
            const size_t count = std::min<size_t>(kReportSize, static_cast<size_t>(buffer->data_len));
            std::copy_n(queue.front().begin(), count, buffer->data);
            queue.pop_front();
            takeDoorbells(node, 1);
            umockdev_ioctl_client_complete(client, static_cast<glong>(count), 0);
        });
    }

    static void connected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        auto& self = *static_cast<FakeHidrawBoards*>(data);
        std::lock_guard<std::mutex> lock(self.mutex_);
        if (Node* node = liveNode(self, client)) ++self.devices_[node->device].opens;
    }

    // A closed handle takes its unread replies with it, as a hidraw file does.
    static void vanished(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        auto& self = *static_cast<FakeHidrawBoards*>(data);
        std::lock_guard<std::mutex> lock(self.mutex_);
        Node* node = liveNode(self, client);
        if (!node || !node->replies.count(client)) return;
        takeDoorbells(*node, node->replies[client].size());
        node->replies.erase(client);
    }

    static void takeDoorbells(Node& node, size_t count) {
        char bytes[kReportSize];
        for (ssize_t taken = 0; count > 0; count -= static_cast<size_t>(taken)) {
            taken = ::read(node.ptyDrain, bytes, std::min(count, sizeof bytes));
            if (taken <= 0) return;
        }
    }
};

FakeHidrawBoards::FakeHidrawBoards() : testbed_(umockdev_testbed_new()), handler_(umockdev_ioctl_base_new()) {
    if (!umockdev_in_mock_environment()) {
        g_object_unref(handler_);
        g_object_unref(testbed_);
        throw std::runtime_error("fake hidraw boards need the process to run under libumockdev-preload.so.0");
    }
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(Handlers::ioctl), this);
    g_signal_connect(handler_, "handle-write", G_CALLBACK(Handlers::write), this);
    g_signal_connect(handler_, "handle-read", G_CALLBACK(Handlers::read), this);
    g_signal_connect(handler_, "client-connected", G_CALLBACK(Handlers::connected), this);
    g_signal_connect(handler_, "client-vanished", G_CALLBACK(Handlers::vanished), this);
    closeHidLink();
    setHidTransport(nullptr);
    resetChipIdCache();
}

FakeHidrawBoards::~FakeHidrawBoards() {
    closeHidLink();
    // The handlers' data may go only once the testbed's worker thread has ended with it.
    g_object_unref(testbed_);
    g_object_unref(handler_);
    for (auto& entry : nodes_) close(entry.second.ptyDrain);
}

int FakeHidrawBoards::addBoard(uint16_t chipId) {
    auto board = std::make_unique<DownloadBoard>();
    board->attachChip(chipId);
    return addDevice(kBoardVendorId, kBoardProductId, std::move(board));
}

int FakeHidrawBoards::addForeignDevice(uint16_t vendorId, uint16_t productId) {
    return addDevice(vendorId, productId, nullptr);
}

int FakeHidrawBoards::addDevice(uint16_t vendorId, uint16_t productId, std::unique_ptr<DownloadBoard> board) {
    std::unique_lock<std::mutex> lock(mutex_);
    const size_t index = devices_.size();
    Device& device = devices_.emplace_back();
    device.vendorId = vendorId;
    device.productId = productId;
    device.board = std::move(board);
    device.serial = formatText("TSB%04u", {index + 1});
    lock.unlock();
    plug(index);
    return static_cast<int>(index);
}

// The four records the kernel and udev show for a USB HID device, all of which
// enumeration needs; hidapi reads the HID device through the hidraw node's
// "device" link, which umockdev does not make by itself.
void FakeHidrawBoards::plug(size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    Device& device = devices_.at(index);
    const int number = nodesMade_++;
    const std::string usb = formatText("%s/1-%u", {kBusPath, index + 1});
    const std::string interface = formatText("%s/1-%u:1.0", {usb, index + 1});
    const std::string hidName = formatText("0003:%04X:%04X.%04X", {device.vendorId, device.productId, number + 1});
    const std::string hidraw = formatText("%s/%s/hidraw/hidraw%d", {interface, hidName, number});
    const std::string records = formatText(
        "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=%04x\nA: idProduct=%04x\n"
        "A: bcdDevice=0100\nA: manufacturer=Tessorin test bench\nA: product=Fake board\nA: serial=%s\n\n"
        "P: %s\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=00\n\n"
        "P: %s/%s\nE: SUBSYSTEM=hid\nE: HID_ID=0003:0000%04X:0000%04X\nE: HID_NAME=Fake board\n"
        "E: HID_UNIQ=%s\nH: report_descriptor=%s\n\n"
        "P: %s\nN: hidraw%d\nE: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/hidraw%d\nL: device=../../../%s\n",
        {usb, device.vendorId, device.productId, device.serial, interface, interface, hidName, device.vendorId,
         device.productId, device.serial, descriptorHex(), hidraw, number, number, hidName});
    const std::string name = formatText("/dev/hidraw%d", {number});
    device.node = name;
    device.syspaths = {"/sys" + hidraw, formatText("/sys%s/%s", {interface, hidName}), "/sys" + interface, "/sys" + usb};
    nodes_[name].device = index;
    // umockdev's calls may wait for its worker thread, whose handlers take the lock.
    lock.unlock();

    GError* error = nullptr;
    // The handler first: a station in another process may open the node the
    // moment it shows in udev, and umockdev's preload there ends that process
    // when the node has no ioctl socket yet.
    if (!umockdev_testbed_attach_ioctl(testbed_, name.c_str(), handler_, &error) ||
        !umockdev_testbed_add_from_string(testbed_, records.c_str(), &error)) {
        const std::string why = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("fake hidraw board " + name + ": " + why);
    }
    const int master = umockdev_testbed_get_dev_fd(testbed_, name.c_str());
    const int drain = master < 0 ? -1 : open(ptsname(master), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (drain < 0) throw std::runtime_error("fake hidraw board " + name + ": its node is not a pty");
    termios raw{};
    tcgetattr(drain, &raw);
    cfmakeraw(&raw);  // no echo piling up on umockdev's side, no line buffering
    tcsetattr(drain, TCSANOW, &raw);
    // umockdev 0.17 does not fake fstat() on an open node, and hidapi finds an
    // open handle's strings by the device number fstat() gives: the pty's.
    struct stat pty{};
    fstat(drain, &pty);
    const std::string devNumber = formatText("%u:%u", {major(pty.st_rdev), minor(pty.st_rdev)});
    const std::string syspath = "/sys" + hidraw;
    umockdev_testbed_set_attribute(testbed_, syspath.c_str(), "dev", devNumber.c_str());
    umockdev_testbed_set_property_int(testbed_, syspath.c_str(), "MAJOR", static_cast<int>(major(pty.st_rdev)));
    umockdev_testbed_set_property_int(testbed_, syspath.c_str(), "MINOR", static_cast<int>(minor(pty.st_rdev)));
    const std::filesystem::path link = std::filesystem::path(sysDir(testbed_)) / "dev" / "char" / devNumber;
    std::filesystem::create_directories(link.parent_path());
    std::filesystem::create_symlink("../.." + hidraw, link);

    lock.lock();
    Node& node = nodes_[name];
    node.ptyMaster = master;
    node.ptyDrain = drain;
    node.devLink = link.string();
    node.live = true;
}

void FakeHidrawBoards::unplug(int index) {
    std::unique_lock<std::mutex> lock(mutex_);
    Device& device = devices_.at(static_cast<size_t>(index));
    if (device.node.empty()) return;
    Node& node = nodes_[device.node];
    stopAnswering(node);
    const std::vector<std::string> syspaths = device.syspaths;
    const std::string devLink = node.devLink;
    device.node.clear();
    lock.unlock();
    for (const std::string& syspath : syspaths) umockdev_testbed_remove_device(testbed_, syspath.c_str());
    std::filesystem::remove(devLink);
}

void FakeHidrawBoards::stopAnswering(Node& node) {
    if (!node.live) return;
    node.live = false;
    // Wakes a read already waiting; like every later one it fails at once.
    ringDoorbell(node.ptyMaster);
}

void FakeHidrawBoards::replug(int index) {
    if (devicePath(index).empty()) plug(static_cast<size_t>(index));
}

void FakeHidrawBoards::dieAfterRequests(int device, int requests) {
    std::lock_guard<std::mutex> lock(mutex_);
    devices_.at(static_cast<size_t>(device)).dieAfterRequests = requests;
}

bool FakeHidrawBoards::answering(int device) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::string& node = devices_.at(static_cast<size_t>(device)).node;
    auto found = nodes_.find(node);
    return !node.empty() && found != nodes_.end() && found->second.live;
}

DownloadBoard& FakeHidrawBoards::boardOf(int device) {
    DownloadBoard* board = devices_.at(static_cast<size_t>(device)).board.get();
    if (!board) throw std::out_of_range("this fake device is not a download board");
    return *board;
}

void FakeHidrawBoards::attachChip(int device, uint16_t chipId) {
    std::lock_guard<std::mutex> lock(mutex_);
    boardOf(device).attachChip(chipId);
}

void FakeHidrawBoards::detachChip(int device) {
    std::lock_guard<std::mutex> lock(mutex_);
    boardOf(device).detachChip();
}

std::string FakeHidrawBoards::serial(int device) const { return copyOf(device, &Device::serial); }
std::string FakeHidrawBoards::devicePath(int device) const { return copyOf(device, &Device::node); }
int FakeHidrawBoards::opens(int device) const { return copyOf(device, &Device::opens); }
std::vector<std::vector<uint8_t>> FakeHidrawBoards::requests(int device) const {
    return copyOf(device, &Device::requests);
}

}  // namespace tessorin::emulator
