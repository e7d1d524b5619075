#pragma once
// Plays the first animation of an imported scene on its node tree and yields per-mesh bone matrices.

#include <assimp/matrix4x4.h>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct aiAnimation;
struct aiBone;
struct aiNode;
struct aiScene;

class Animator {
public:
    static constexpr double defaultTickRate = 20.0; // animation ticks per second of the clock

    // Writes "Animator initialised", maps every bone to its node and selects animation 0. The scene
    // must outlive the animator.
    explicit Animator(const aiScene* scene);
    ~Animator();
    Animator(const Animator&) = delete;
    Animator& operator=(const Animator&) = delete;

    // The trace every new animated model writes.
    static void announce();

    // Poses the node tree for the clock (whole milliseconds) at tickRate ticks per second (0 means
    // the default); the animation loops over its duration.
    void update(int clockMs, double tickRate);

    // One matrix per bone of the node's meshSlot-th mesh, in the mesh's bone order, each taking a
    // vertex from the mesh's own space to its posed place in that space. Out-of-range arguments return
    // the list unchanged. The list is scratch space reused by the next call.
    const std::vector<aiMatrix4x4>& boneTransforms(const aiNode* node, unsigned meshSlot);

    // The current transforms of a scene node (identity for a node the animator does not know).
    const aiMatrix4x4& localTransform(const aiNode* node) const;
    const aiMatrix4x4& globalTransform(const aiNode* node) const;
    // Index of the channel driving the node, -1 when none does.
    int channelOf(const aiNode* node) const;

private:
    struct Node {
        std::string name;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;
        aiMatrix4x4 localTransform;
        aiMatrix4x4 globalTransform;
        int channelIndex = -1;
    };
    using KeyIndices = std::array<unsigned, 3>; // position, rotation, scaling

    void mapBones();
    void selectAnimation(int index);
    std::unique_ptr<Node> buildNode(const aiNode* sceneNode, Node* parent);
    int findChannel(const std::string& nodeName) const;
    void computeChannelMatrices(double time);
    void poseNode(Node& node);
    const Node* nodeFor(const aiNode* sceneNode) const;
    static void updateGlobal(Node& node);

    int currentIndex_ = -1;
    const aiAnimation* current_ = nullptr;
    std::unordered_map<const aiNode*, Node*> nodes_;
    std::unordered_map<const aiBone*, const aiNode*> boneNodes_;
    double lastTime_ = 0.0;
    std::vector<KeyIndices> keyCache_;
    std::vector<aiMatrix4x4> channelMatrices_; // one local matrix per channel, refilled by update
    std::vector<aiMatrix4x4> boneMatrices_;    // returned by boneTransforms, refilled per call
    aiMatrix4x4 identity_;
    const aiScene* scene_ = nullptr;
    std::unique_ptr<Node> root_;
};
