#include "platform/Exception.h"
#include "reflection/TypInfo.h"

#include <gtest/gtest.h>

namespace
{

struct TProbe;

} // namespace

// A class looked up before start-up registered it is a fault of the program,
// told with the class's name; once registered it is found by any case.
TEST(ClassRegistry, AClassRequiredBeforeItIsRegisteredIsAProgramFaultNamingIt)
{
    static TClassInfo probe;
    probe.Name = "TRegistryProbe";
    try {
        TypInfo::RequireRegisteredClass("TRegistryProbe");
        ADD_FAILURE() << "an unregistered class was given out";
    } catch (const EProgramFault &fault) {
        EXPECT_NE(std::string(fault.what()).find("TRegistryProbe"), std::string::npos)
            << fault.what();
    }
    TypInfo::RegisterClass(typeid(TProbe *), &probe);
    EXPECT_EQ(TypInfo::RequireRegisteredClass("tregistryprobe"), &probe);
}
