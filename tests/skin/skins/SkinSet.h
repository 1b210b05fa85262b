// The internal skins loaded once for the tests of this folder, through the manager's load path.
#pragma once

#include "assets/skins/EmbeddedSkins.h"
#include "skin/manager/SkinLoading.h"
#include "skin/package/InternalSkins.h"

#include <memory>
#include <string>
#include <vector>

namespace skintest {

struct LoadedSkin {
    std::string name;
    std::unique_ptr<skin::TsSkinModel> model;
    std::vector<std::string> messages; // errors and warnings shown during the load
    std::string failure;               // the exception text of a failed load
};

inline const std::vector<LoadedSkin>& InternalSkins()
{
    static const std::vector<LoadedSkin> skins = [] {
        skin::TsStoredSkins catalogue;
        skin::FillInternalSkins(catalogue, assets::EmbeddedSkinPackages());
        std::vector<LoadedSkin> loaded;
        for (int i = 0; i < catalogue.Count(); ++i) {
            LoadedSkin skin;
            skin.name = platform::Utf16ToUtf8(catalogue.Item(i).Name);
            skin::ResolvedSkin where;
            where.Kind = skin::SkinSourceKind::Internal;
            where.Name = catalogue.Item(i).Name;
            where.Index = i;
            skin::SkinLoadMessages messages;
            messages.ShowPlainError = [&](const std::string& text) { skin.messages.push_back("error: " + text); };
            messages.ShowPlainWarning = [&](const std::string& text) { skin.messages.push_back("warning: " + text); };
            try {
                skin.model = skin::LoadResolvedSkin(where, catalogue, u"/nonexistent/", skin::SkinLoadSettings{}, messages);
            } catch (const std::exception& e) {
                skin.failure = e.what();
            }
            loaded.push_back(std::move(skin));
        }
        return loaded;
    }();
    return skins;
}

} // namespace skintest
