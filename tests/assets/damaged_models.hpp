#pragma once
// Model files that crash or hang the importer library, written by the tests that need them.

#include "tests/support/scratch_dir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

inline const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 1\n";

// A material file whose texture line comes before the first material: the importer dereferences null.
inline void writeCrashingObj(const std::string& name)
{
    writeText(name + ".mtl", "map_Kd look.png\nnewmtl skin\n");
    writeText(name + ".obj", "mtllib " + name + ".mtl\n" + triangle + "usemtl skin\nf 1//1 2//1 3//1\n");
}

// A node that instances itself: the importer recurses until the stack runs out.
inline const std::string selfInstancingDae = R"(<?xml version="1.0" encoding="utf-8"?>
<COLLADA xmlns="http://www.collada.org/2005/11/COLLADASchema" version="1.4.1">
  <library_nodes><node id="loop" name="loop"><instance_node url="#loop"/></node></library_nodes>
  <library_visual_scenes><visual_scene id="scene"><node id="top"><instance_node url="#loop"/></node></visual_scene></library_visual_scenes>
  <scene><instance_visual_scene url="#scene"/></scene>
</COLLADA>
)";

// The test column with a letter in its index list: the importer loops while its memory grows.
inline void writeEndlessDae(const std::string& path)
{
    std::ifstream in(sourcePath("tests/data/render/two_bones.dae"));
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t list = text.find("<p>0 0 0 5");
    ASSERT_NE(list, std::string::npos);
    text.replace(list, 10, "<p>0 0 0 x5");
    writeText(path, text);
}
