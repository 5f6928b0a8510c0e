#include <gtest/gtest.h>

#include <cstdlib>

#include "link/port_names.h"
#include "link/serial_port.h"

namespace kolibra {
namespace {

TEST(PortNames, ComNamesAndDefaultDevices) {
    for (int i = 1; i <= 6; ++i) unsetenv(("KOLIBRA_COM" + std::to_string(i)).c_str());
    EXPECT_EQ(port_name(0), "COM1");
    EXPECT_EQ(port_name(5), "COM6");
    EXPECT_EQ(port_device_path(0), "/dev/ttyS0");
    EXPECT_EQ(port_device_path(5), "/dev/ttyS5");
}

TEST(PortNames, EnvironmentOverridesOnlyItsOwnPort) {
    setenv("KOLIBRA_COM3", "/dev/pts/42", 1);
    setenv("KOLIBRA_COM4", "", 1);  // empty counts as unset
    EXPECT_EQ(port_device_path(2), "/dev/pts/42");
    EXPECT_EQ(port_device_path(3), "/dev/ttyS3");
    EXPECT_EQ(port_device_path(1), "/dev/ttyS1");
    unsetenv("KOLIBRA_COM3");
    unsetenv("KOLIBRA_COM4");
}

TEST(PortNames, DamagedIndexesFallBackToCom1And115200) {
    unsetenv("KOLIBRA_COM1");
    for (int bad : {6, 7, 200, 255, -1}) {
        EXPECT_EQ(port_name(bad), "COM1") << bad;
        EXPECT_EQ(port_device_path(bad), "/dev/ttyS0") << bad;
        EXPECT_EQ(baud_for_index(bad), 115200u) << bad;
        EXPECT_EQ(speed_code_for_index(bad), 0x36) << bad;
    }
}

TEST(PortNames, SpeedsAndTransceiverCodes) {
    const uint32_t speeds[] = {115200, 57600, 38400, 19200, 9600};
    const uint8_t codes[] = {0x36, 0x35, 0x34, 0x33, 0x32};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(baud_for_index(i), speeds[i]);
        EXPECT_EQ(speed_code_for_index(i), codes[i]);
        EXPECT_EQ(baud_for_speed_code(codes[i]), speeds[i]);
    }
    EXPECT_EQ(baud_for_speed_code('1'), 0u);
    EXPECT_EQ(baud_for_speed_code('7'), 0u);
}

TEST(LineSettingsRecord, StartsZeroAndKeepsFieldsAcrossCommands) {
    reset_run_line_settings();
    LineSettings& line = run_line_settings();
    EXPECT_EQ(line.baud_rate, 0u);
    EXPECT_FALSE(line.dtr_on);
    EXPECT_FALSE(line.rts_on);
    line.dtr_on = true;
    line.rts_on = true;
    set_plain_line(run_line_settings(), 19200);
    EXPECT_EQ(run_line_settings().baud_rate, 19200u);
    EXPECT_EQ(run_line_settings().byte_size, 8);
    EXPECT_TRUE(run_line_settings().parity_none);
    EXPECT_TRUE(run_line_settings().one_stop_bit);
    EXPECT_TRUE(run_line_settings().dtr_on);
    EXPECT_TRUE(run_line_settings().rts_on);
    reset_run_line_settings();
    EXPECT_FALSE(run_line_settings().rts_on);
}

TEST(LineSettingsRecord, TransferTimeouts) {
    const PortTimeouts t = transfer_timeouts();
    EXPECT_EQ(t.read_interval, 0xFFFFFFFFu);
    EXPECT_EQ(t.read_total_multiplier, 0u);
    EXPECT_EQ(t.read_total_constant, 0u);
    EXPECT_EQ(t.write_total_multiplier, 5u);
    EXPECT_EQ(t.write_total_constant, 50u);
}

}  // namespace
}  // namespace kolibra
