#include "assets/animator.hpp"

#include <assimp/anim.h>
#include <assimp/scene.h>

#include <cmath>
#include <iostream>

namespace {

constexpr unsigned positionKeys = 0;
constexpr unsigned rotationKeys = 1;
constexpr unsigned scalingKeys = 2;

// Index of the key in effect at time: resumes from the cached index while time runs forward, restarts
// from the first key after it went back (a loop wrap).
template <typename Key>
unsigned findKey(const Key* keys, unsigned count, double time, bool forward, unsigned& cached)
{
    unsigned index = forward ? cached : 0;
    if (index >= count)
        index = 0;
    while (index + 1 < count && keys[index + 1].mTime <= time)
        ++index;
    cached = index;
    return index;
}

float blendFactor(double time, double keyTime, double span)
{
    return static_cast<float>((time - keyTime) / span);
}

// Across the loop seam (last key to first) the position still interpolates toward the first key.
aiVector3D interpolatePosition(const aiNodeAnim& channel, unsigned index, double time, double duration)
{
    const aiVectorKey& key = channel.mPositionKeys[index];
    const aiVectorKey& next = channel.mPositionKeys[(index + 1) % channel.mNumPositionKeys];
    double span = next.mTime - key.mTime;
    if (span < 0.0)
        span += duration;
    if (span <= 0.0)
        return key.mValue;
    return key.mValue + (next.mValue - key.mValue) * blendFactor(time, key.mTime, span);
}

// Rotation has no seam correction: after the last key it holds that key.
aiQuaternion interpolateRotation(const aiNodeAnim& channel, unsigned index, double time)
{
    const aiQuatKey& key = channel.mRotationKeys[index];
    const aiQuatKey& next = channel.mRotationKeys[(index + 1) % channel.mNumRotationKeys];
    const double span = next.mTime - key.mTime;
    if (span <= 0.0)
        return key.mValue;
    aiQuaternion result;
    aiQuaternion::Interpolate(result, key.mValue, next.mValue, blendFactor(time, key.mTime, span));
    return result;
}

// Translation x rotation x scale: the rotation's columns are scaled, so a non-uniform scale acts along
// the node's own axes before it turns. (Assimp's aiMatrix4x4(scaling, rotation, position) scales the
// rows instead, which shears a turned node.)
aiMatrix4x4 channelMatrix(const aiVector3D& position, const aiQuaternion& rotation, const aiVector3D& scaling)
{
    const aiMatrix3x3 turn = rotation.GetMatrix();
    return aiMatrix4x4(turn.a1 * scaling.x, turn.a2 * scaling.y, turn.a3 * scaling.z, position.x,
                       turn.b1 * scaling.x, turn.b2 * scaling.y, turn.b3 * scaling.z, position.y,
                       turn.c1 * scaling.x, turn.c2 * scaling.y, turn.c3 * scaling.z, position.z,
                       0.0f, 0.0f, 0.0f, 1.0f);
}

} // namespace

Animator::Animator(const aiScene* scene) : scene_(scene)
{
    announce();
    mapBones();
    selectAnimation(0);
}

Animator::~Animator() = default;

void Animator::announce()
{
    std::cout << "Animator initialised" << std::endl;
}

void Animator::mapBones()
{
    for (unsigned m = 0; m < scene_->mNumMeshes; ++m) {
        const aiMesh* mesh = scene_->mMeshes[m];
        for (unsigned b = 0; b < mesh->mNumBones; ++b) {
            const aiBone* bone = mesh->mBones[b];
            boneNodes_[bone] = scene_->mRootNode ? scene_->mRootNode->FindNode(bone->mName) : nullptr;
        }
    }
}

void Animator::selectAnimation(int index)
{
    if (currentIndex_ == index || static_cast<unsigned>(index) >= scene_->mNumAnimations)
        return;
    nodes_.clear();
    root_.reset();
    currentIndex_ = index;
    current_ = scene_->mAnimations[index];
    if (scene_->mRootNode)
        root_ = buildNode(scene_->mRootNode, nullptr);
    keyCache_.assign(current_->mNumChannels, KeyIndices{0, 0, 0});
}

std::unique_ptr<Animator::Node> Animator::buildNode(const aiNode* sceneNode, Node* parent)
{
    auto node = std::make_unique<Node>();
    node->name = sceneNode->mName.C_Str();
    node->parent = parent;
    node->localTransform = sceneNode->mTransformation;
    updateGlobal(*node);
    node->channelIndex = findChannel(node->name);
    nodes_[sceneNode] = node.get();
    for (unsigned c = 0; c < sceneNode->mNumChildren; ++c)
        node->children.push_back(buildNode(sceneNode->mChildren[c], node.get()));
    return node;
}

// The first channel naming the node wins.
int Animator::findChannel(const std::string& nodeName) const
{
    for (unsigned c = 0; c < current_->mNumChannels; ++c)
        if (nodeName == current_->mChannels[c]->mNodeName.C_Str())
            return static_cast<int>(c);
    return -1;
}

void Animator::update(int clockMs, double tickRate)
{
    if (current_ == nullptr || !(current_->mDuration > 0.0))
        return;
    if (tickRate == 0.0)
        tickRate = defaultTickRate;
    const double ticks = (static_cast<double>(clockMs) / 1000.0) * tickRate;
    const double time = std::fmod(ticks, current_->mDuration);

    computeChannelMatrices(time);
    lastTime_ = time;
    if (root_)
        poseNode(*root_);
}

void Animator::computeChannelMatrices(double time)
{
    const unsigned channelCount = current_->mNumChannels;
    if (channelMatrices_.size() != channelCount)
        channelMatrices_.resize(channelCount);
    const bool forward = time >= lastTime_;

    for (unsigned c = 0; c < channelCount; ++c) {
        const aiNodeAnim& channel = *current_->mChannels[c];
        KeyIndices& cache = keyCache_[c];

        aiVector3D position(0.0f, 0.0f, 0.0f);
        if (channel.mNumPositionKeys > 0) {
            const unsigned k = findKey(channel.mPositionKeys, channel.mNumPositionKeys, time, forward,
                                       cache[positionKeys]);
            position = interpolatePosition(channel, k, time, current_->mDuration);
        }
        aiQuaternion rotation; // identity
        if (channel.mNumRotationKeys > 0) {
            const unsigned k = findKey(channel.mRotationKeys, channel.mNumRotationKeys, time, forward,
                                       cache[rotationKeys]);
            rotation = interpolateRotation(channel, k, time);
        }
        aiVector3D scaling(1.0f, 1.0f, 1.0f);
        if (channel.mNumScalingKeys > 0) {
            const unsigned k = findKey(channel.mScalingKeys, channel.mNumScalingKeys, time, forward,
                                       cache[scalingKeys]);
            scaling = channel.mScalingKeys[k].mValue;
        }
        channelMatrices_[c] = channelMatrix(position, rotation, scaling);
    }
}

// Parents are posed before their children, so each global transform is the parent's times the local.
void Animator::poseNode(Node& node)
{
    if (node.channelIndex != -1) {
        if (static_cast<std::size_t>(node.channelIndex) >= channelMatrices_.size())
            return;
        node.localTransform = channelMatrices_[static_cast<std::size_t>(node.channelIndex)];
    }
    updateGlobal(node);
    for (const auto& child : node.children)
        poseNode(*child);
}

void Animator::updateGlobal(Node& node)
{
    node.globalTransform =
        node.parent ? node.parent->globalTransform * node.localTransform : node.localTransform;
}

const std::vector<aiMatrix4x4>& Animator::boneTransforms(const aiNode* node, unsigned meshSlot)
{
    if (scene_ == nullptr || node == nullptr || meshSlot >= node->mNumMeshes ||
        node->mMeshes[meshSlot] >= scene_->mNumMeshes)
        return boneMatrices_;
    const aiMesh* mesh = scene_->mMeshes[node->mMeshes[meshSlot]];
    boneMatrices_.assign(mesh->mNumBones, identity_);

    aiMatrix4x4 meshInverse = globalTransform(node);
    meshInverse.Inverse();
    for (unsigned b = 0; b < mesh->mNumBones; ++b) {
        const aiBone* bone = mesh->mBones[b];
        const auto found = boneNodes_.find(bone);
        const aiMatrix4x4& boneGlobal =
            found != boneNodes_.end() ? globalTransform(found->second) : identity_;
        // Mesh space -> bone space at bind (offset) -> posed bone in the model -> back to mesh space.
        boneMatrices_[b] = meshInverse * boneGlobal * bone->mOffsetMatrix;
    }
    return boneMatrices_;
}

const Animator::Node* Animator::nodeFor(const aiNode* sceneNode) const
{
    const auto found = nodes_.find(sceneNode);
    return found != nodes_.end() ? found->second : nullptr;
}

const aiMatrix4x4& Animator::localTransform(const aiNode* node) const
{
    const Node* own = nodeFor(node);
    return own ? own->localTransform : identity_;
}

const aiMatrix4x4& Animator::globalTransform(const aiNode* node) const
{
    const Node* own = nodeFor(node);
    return own ? own->globalTransform : identity_;
}

int Animator::channelOf(const aiNode* node) const
{
    const Node* own = nodeFor(node);
    return own ? own->channelIndex : -1;
}
