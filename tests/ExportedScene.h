#pragma once

// A model in an assimp scene, for assimp's exporters to write files of the
// formats the host reads.

#include <QVector3D>
#include <assimp/scene.h>
#include <vector>

// Triangles, corner by corner, in an assimp scene for its exporter.
struct ExportedScene {
    aiScene scene;
    explicit ExportedScene(const std::vector<QVector3D>& corners) {
        // The mesh in a part of its own: the 3MF exporter writes the root's parts.
        scene.mRootNode = new aiNode;
        auto* part = new aiNode("part");
        part->mNumMeshes = 1;
        part->mMeshes = new unsigned[1]{0};
        scene.mRootNode->addChildren(1, &part);
        scene.mNumMeshes = 1;
        scene.mMeshes = new aiMesh* [1] { new aiMesh };
        scene.mNumMaterials = 1;
        scene.mMaterials = new aiMaterial* [1] { new aiMaterial };
        aiMesh& mesh = *scene.mMeshes[0];
        mesh.mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
        mesh.mNumVertices = unsigned(corners.size());
        mesh.mVertices = new aiVector3D[corners.size()];
        for (size_t i = 0; i < corners.size(); ++i) {
            mesh.mVertices[i] = aiVector3D(corners[i].x(), corners[i].y(), corners[i].z());
        }
        mesh.mNumFaces = unsigned(corners.size() / 3);
        mesh.mFaces = new aiFace[mesh.mNumFaces];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            mesh.mFaces[f].mNumIndices = 3;
            mesh.mFaces[f].mIndices = new unsigned[3]{3 * f, 3 * f + 1, 3 * f + 2};
        }
    }
};
