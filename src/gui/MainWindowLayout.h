// SPDX-FileCopyrightText: Quillon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where each part of the window stands at the designed size, in twips. The
// list, the folder row and the frames below the list follow the window's size
// from there (MainWindow::layoutForSize).
struct PartGeometry {
    int left;
    int top;
    int width;
    int height;
};

namespace MainWindowLayout
{
constexpr PartGeometry folderFrame{90, 45, 9270, 750};
constexpr PartGeometry folderBox{225, 315, 6810, 405};
constexpr PartGeometry typeFilterBox{7065, 315, 1065, 390};
constexpr PartGeometry selectFolderButton{8190, 315, 1005, 375};
constexpr PartGeometry folderPanel{225, 720, 6945, 4005};
constexpr PartGeometry folderBrowser{60, 0, 6135, 3975}; // inside folderPanel
constexpr PartGeometry fileList{90, 855, 11760, 4635};
constexpr PartGeometry attributesFrame{90, 5490, 2025, 1995};
constexpr PartGeometry renamingFrame{2160, 5490, 10845, 1230};
constexpr PartGeometry batchFrame{2160, 6750, 10845, 780};
constexpr PartGeometry startRenameButton{13095, 6885, 1950, 600};
constexpr PartGeometry statusLabel{13995, 6570, 0, 0}; // sized by its text
// The status text's designed left edge: just right of the renaming frame.
constexpr int statusLeft = renamingFrame.left + renamingFrame.width + 24;
} // namespace MainWindowLayout
