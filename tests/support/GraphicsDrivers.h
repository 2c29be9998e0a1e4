#pragma once

#include <cstddef>
#include <dlfcn.h>
#include <link.h>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::test
{

namespace detail
{

inline int CollectGraphicsDriver(dl_phdr_info* info, std::size_t, void* out)
{
    const std::string_view name = info->dlpi_name ? info->dlpi_name : "";
    if (name.find("_dri.so") != std::string_view::npos || name.find("libgallium") != std::string_view::npos)
    {
        static_cast<std::vector<std::string>*>(out)->emplace_back(name);
    }
    return 0;
}

} // namespace detail

// Mesa unloads its driver when the display closes, before the leak check at exit; the driver's own leaks would
// then show without a module name and escape tools/lsan.supp. Pinned, they are attributed to the driver. Call it
// once a GL context exists (GL tests, the frame-time harness).
inline void PinGraphicsDrivers()
{
    std::vector<std::string> drivers;
    dl_iterate_phdr(detail::CollectGraphicsDriver, &drivers);
    for (const std::string& driver : drivers)
    {
        // The handle is never closed: that is the point.
        dlopen(driver.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

} // namespace kesto::test
