#include "game/Installation.h"

namespace kesto
{

std::string MissingAssetsMessage(const std::vector<std::filesystem::path>& searched)
{
    std::string message = "no Assets/ folder with the game's content; looked for ";
    for (std::size_t i = 0; i < searched.size(); ++i)
    {
        message += (i == 0 ? "" : i + 1 == searched.size() ? " and " : ", ") + searched[i].string();
    }
    return message;
}

} // namespace kesto
